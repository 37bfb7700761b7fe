#include "search/regexmatcher.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

namespace verno {

struct RegexMatcher::Compiled {
    pcre2_code *code = nullptr;
    pcre2_match_data *data = nullptr;
    ~Compiled()
    {
        pcre2_match_data_free(data);
        pcre2_code_free(code);
    }
};

RegexMatcher::RegexMatcher() = default;
RegexMatcher::~RegexMatcher() = default;

namespace {

#define VERNO_WORD_1252 "[\\w\\x83\\x8A\\x8C\\x8E\\x9A\\x9C\\x9E\\x9F\\xAA\\xB5\\xBA\\xC0-\\xD6\\xD8-\\xF6\\xF8-\\xFF]"
// A word boundary, as \b is, over the word characters of Windows-1252.
const std::string kSingleByteBoundary =
    "(?:(?<=" VERNO_WORD_1252 ")(?!" VERNO_WORD_1252 ")|(?<!" VERNO_WORD_1252 ")(?=" VERNO_WORD_1252 "))";
#undef VERNO_WORD_1252

pcre2_code *compiled(std::string_view pattern, RegexMatcher::Options options, std::string *error)
{
    uint32_t flags = options.caseSensitive ? 0 : PCRE2_CASELESS;
    // Letters of every script are word characters, as in the plain search, so
    // \w and the boundaries of Whole words take them.
    if (options.utf8)
        flags |= PCRE2_UTF | PCRE2_UCP | PCRE2_MATCH_INVALID_UTF;
    int code = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code *re = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), flags, &code,
                                   &offset, nullptr);
    if (!re && error) {
        PCRE2_UCHAR text[256];
        pcre2_get_error_message(code, text, sizeof text);
        *error = reinterpret_cast<const char *>(text);
        if (offset < pattern.size())
            *error += " at character " + std::to_string(offset + 1);
        else if (error->find("end of pattern") == std::string::npos)
            *error += " at the end of the pattern";
    }
    return re;
}

} // namespace

bool RegexMatcher::compile(std::string_view pattern, Options options)
{
    c_.reset();
    error_.clear();
    // The user's own pattern first, so an error names its own place in it.
    pcre2_code *re = compiled(pattern, options, &error_);
    if (re && options.wholeWords) {
        pcre2_code_free(re);
        // Single bytes are Windows-1252: its letters past ASCII are word
        // characters too, which PCRE's own \b (ASCII there) does not know.
        const std::string edge = options.utf8 ? "\\b" : kSingleByteBoundary;
        re = compiled(edge + "(?:" + std::string(pattern) + ")" + edge, options, &error_);
    }
    if (!re)
        return false;
    c_ = std::make_unique<Compiled>();
    c_->code = re;
    pcre2_jit_compile(re, PCRE2_JIT_COMPLETE); // where JIT is missing, matching still works
    c_->data = pcre2_match_data_create_from_pattern(re, nullptr);
    return c_->data != nullptr;
}

std::optional<RegexMatcher::Match> RegexMatcher::find(std::string_view line, size_t from, bool lineEnd,
                                                      bool notEmptyAtFrom) const
{
    if (!c_ || from > line.size())
        return std::nullopt;
    const uint32_t flags = (lineEnd ? 0 : PCRE2_NOTEOL) | (notEmptyAtFrom ? PCRE2_NOTEMPTY_ATSTART : 0);
    const int rc = pcre2_match(c_->code, reinterpret_cast<PCRE2_SPTR>(line.data()), line.size(), from, flags,
                               c_->data, nullptr);
    if (rc < 0)
        return std::nullopt;
    const PCRE2_SIZE *v = pcre2_get_ovector_pointer(c_->data);
    // \K in a lookahead can end a match before its start.
    if (v[1] < v[0])
        return std::nullopt;
    return Match{v[0], v[1]};
}

std::optional<RegexMatcher::Match> RegexMatcher::findLast(std::string_view line, size_t last, bool lineEnd) const
{
    std::optional<Match> best;
    for (size_t from = 0; from <= last;) {
        const std::optional<Match> m = find(line, from, lineEnd);
        if (!m || m->start > last)
            break;
        best = m;
        from = m->start + 1;
    }
    // The groups are those of the match kept.
    if (best)
        find(line, best->start, lineEnd);
    return best;
}

void RegexMatcher::expand(std::string_view replacement, std::string_view line, std::string &out) const
{
    const PCRE2_SIZE *v = pcre2_get_ovector_pointer(c_->data);
    const uint32_t pairs = pcre2_get_ovector_count(c_->data);
    for (size_t i = 0; i < replacement.size(); ++i) {
        const char c = replacement[i];
        const char next = i + 1 < replacement.size() ? replacement[i + 1] : '\0';
        if (c != '\\' || !(next == 't' || next == '\\' || (next >= '0' && next <= '9'))) {
            out += c;
            continue;
        }
        ++i;
        if (next == 't' || next == '\\') {
            out += next == 't' ? '\t' : '\\';
            continue;
        }
        const uint32_t group = uint32_t(next - '0');
        if (group < pairs && v[2 * group] != PCRE2_UNSET && v[2 * group + 1] >= v[2 * group])
            out.append(line.substr(v[2 * group], v[2 * group + 1] - v[2 * group]));
    }
}

std::string regexError(std::string_view pattern, RegexMatcher::Options options)
{
    RegexMatcher m;
    return m.compile(pattern, options) ? std::string() : m.error();
}

} // namespace verno
