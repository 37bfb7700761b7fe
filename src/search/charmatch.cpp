#include "search/charmatch.h"
#include "util/utf8.h"

#include <QChar>
#include <algorithm>

namespace verno {

namespace {

constexpr char32_t kByteBase = 0x110000;

bool isWord(char32_t cp) { return cp < kByteBase && utf8::isWordChar(cp); }

} // namespace

CharMatcher::CharMatcher(const std::string &pattern, bool caseSensitive, bool wholeWords)
    : fold_(!caseSensitive), words_(wholeWords)
{
    decode(pattern, pattern_, nullptr, nullptr);
}

void CharMatcher::decode(std::string_view s, std::vector<char32_t> &cps, std::vector<int> *offsets,
                         std::vector<char> *unitStarts) const
{
    cps.clear();
    if (offsets)
        offsets->clear();
    if (unitStarts)
        unitStarts->clear();
    const auto *p = reinterpret_cast<const unsigned char *>(s.data());
    size_t unitEnd = 0;
    for (size_t i = 0; i < s.size();) {
        const bool start = i == unitEnd;
        if (start) {
            char32_t first;
            unitEnd = i + utf8::unitLength(p + i, s.size() - i, first);
        }
        char32_t cp;
        int length = utf8::decode(p + i, s.size() - i, cp);
        if (length == 0) {
            cp = kByteBase + p[i];
            length = 1;
        } else if (fold_) {
            cp = QChar::toCaseFolded(cp);
        }
        if (unitStarts)
            unitStarts->push_back(start ? 1 : 0);
        if (offsets)
            offsets->push_back(int(i));
        cps.push_back(cp);
        i += size_t(length);
    }
    if (offsets)
        offsets->push_back(int(s.size()));
    if (unitStarts)
        unitStarts->push_back(1);
}

bool CharMatcher::wholeWordAt(size_t i, size_t end) const
{
    return (i == 0 || !isWord(cps_[i - 1])) && (end == cps_.size() || !isWord(cps_[end]));
}

CharMatcher::Match CharMatcher::find(std::string_view line, int from, int to, bool last)
{
    Match found;
    if (pattern_.empty() || to <= from)
        return found;
    decode(line.substr(size_t(from), size_t(to - from)), cps_, &offsets_, &starts_);
    const size_t m = pattern_.size();
    for (size_t i = 0; i + m <= cps_.size(); ++i) {
        if (!starts_[i] || !starts_[i + m] || cps_[i] != pattern_[0]
            || !std::equal(pattern_.begin(), pattern_.end(), cps_.begin() + ptrdiff_t(i))
            || (words_ && !wholeWordAt(i, i + m)))
            continue;
        found = {from + offsets_[i], offsets_[i + m] - offsets_[i]};
        if (!last)
            break;
    }
    return found;
}

} // namespace verno
