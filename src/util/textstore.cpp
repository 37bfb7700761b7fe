#include "util/textstore.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace verno {

namespace {

// Lone LFs and lone CRs, each of which needs one more byte to become CR LF.
size_t loneBreaks(const char *d, size_t n, size_t loneLf, size_t lfCount)
{
    const size_t cr = size_t(std::count(d, d + n, '\r'));
    return loneLf + (cr - (lfCount - loneLf));
}

// Rewrites the n bytes at from into to (extra bytes before from, or the same
// place when there is no room in front), making every break CR LF.
void expandBreaks(const char *from, char *to, size_t n, size_t extra)
{
    if (from != to) {
        // Forwards: the writing never overtakes the reading.
        size_t j = 0;
        for (size_t i = 0; i < n; ++i) {
            const char c = from[i];
            if (c == '\r' || (c == '\n' && (i == 0 || from[i - 1] != '\r'))) {
                to[j++] = '\r';
                to[j++] = '\n';
                if (c == '\r' && i + 1 < n && from[i + 1] == '\n')
                    ++i;
            } else {
                to[j++] = c;
            }
        }
        return;
    }
    // Backwards into room after the text.
    char *d = to;
    size_t j = n + extra;
    for (size_t i = n; i-- > 0;) {
        const char c = d[i];
        if (c == '\n') {
            d[--j] = '\n';
            if (i == 0 || d[i - 1] != '\r')
                d[--j] = '\r';
            else
                d[--j] = d[--i]; // the CR of this pair
        } else if (c == '\r') {
            d[--j] = '\n'; // a CR followed by LF was handled with its LF
            d[--j] = '\r';
        } else {
            d[--j] = c;
        }
    }
}

} // namespace

std::string TextStore::text(int pos, int count) const
{
    std::string out(size_t(std::max(count, 0)), '\0');
    if (count > 0)
        bytes_.copy(size_t(pos), size_t(count), out.data());
    return out;
}

std::string_view TextStore::view(int pos, int count, std::string &scratch) const
{
    if (count <= 0)
        return {};
    if (const char *direct = bytes_.span(size_t(pos), size_t(count)))
        return {direct, size_t(count)};
    scratch = text(pos, count);
    return scratch;
}

void TextStore::reserve(size_t bytes, int lines)
{
    if (bytes > size_t(kMaxTextLength - length()))
        throw std::bad_alloc();
    bytes_.reserve(bytes);
    lines_.reserve(lines);
}

void TextStore::insert(int pos, std::string_view text)
{
    if (text.empty())
        return;
    reserve(text.size(), 0);
    const int line = lineOf(pos);
    const int n = int(text.size());
    bytes_.insert(size_t(pos), text.data(), text.size());
    lines_.grow(line, n);
    int k = line;
    for (size_t i = text.find('\n'); i != std::string_view::npos; i = text.find('\n', i + 1))
        lines_.insert(++k, pos + int(i) + 1);
    for (int l = line; l <= k; ++l)
        longestLine_ = std::max(longestLine_, lineEnd(l) - lineStart(l));
}

void TextStore::erase(int pos, int count)
{
    if (count <= 0)
        return;
    const int first = lineOf(pos);
    const int last = lineOf(pos + count);
    lines_.remove(first + 1, last - first);
    lines_.grow(first, -count);
    bytes_.erase(size_t(pos), size_t(count));
}

void TextStore::clear()
{
    bytes_.release();
    lines_.reset(0);
    longestLine_ = 0;
}

bool TextStore::assign(std::string_view text)
{
    ByteBlock block;
    const size_t room = text.size() / 64 + 4096;
    if (text.size() > size_t(kMaxTextLength) || !block.reserve(room + text.size()))
        return false;
    block.setOffset(room);
    std::memcpy(block.data(), text.data(), text.size());
    block.setSize(text.size());
    return adopt(std::move(block));
}

bool TextStore::adopt(ByteBlock &&block)
{
    size_t n = block.size();
    if (n > size_t(kMaxTextLength))
        return false;
    // Built aside, so a text refused below leaves this one as it was.
    Index index = indexLines(block.data(), n);
    const size_t extra = loneBreaks(block.data(), n, index.loneLf, size_t(index.lines.count() - 1));
    if (extra > 0) {
        if (n + extra > size_t(kMaxTextLength))
            return false;
        if (block.offset() >= extra) {
            expandBreaks(block.data(), block.data() - extra, n, extra);
            block.setOffset(block.offset() - extra);
        } else {
            if (!block.reserve(block.offset() + n + extra + (n + extra) / 64 + 4096))
                return false;
            expandBreaks(block.data(), block.data(), n, extra);
        }
        n += extra;
        block.setSize(n);
        index = indexLines(block.data(), n);
    }
    const size_t front = block.offset();
    size_t capacity = block.capacity();
    if (front > 0) {
        // The room in front is the gap, where the first edit (at the top) goes.
        if (capacity > front + n && block.setCapacity(front + n))
            capacity = front + n;
        if (capacity > front + n)
            std::memmove(block.block() + capacity - n, block.data(), n);
        bytes_.adopt(block.release(), 0, capacity - n, capacity);
    } else {
        bytes_.adopt(block.release(), n, capacity - n, capacity);
    }
    lines_ = std::move(index.lines);
    longestLine_ = index.longest;
    return true;
}

TextStore::Index TextStore::indexLines(const char *d, size_t n)
{
    Index index;
    index.lines.reset(int(n));
    size_t lineStart = 0;
    const char *p = d;
    const char *end = d + n;
    while (const void *hit = p != end ? std::memchr(p, '\n', size_t(end - p)) : nullptr) {
        const size_t i = size_t(static_cast<const char *>(hit) - d);
        if (i == 0 || d[i - 1] != '\r')
            ++index.loneLf;
        index.longest = std::max(index.longest, int(i - lineStart));
        lineStart = i + 1;
        index.lines.append(int(lineStart));
        p = d + lineStart;
    }
    index.longest = std::max(index.longest, int(n - lineStart));
    return index;
}

std::string TextStore::normalizeBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace verno
