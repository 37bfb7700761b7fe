#include "util/textstore.h"
#include "util/bytesearch.h"
#include "util/linebreaks.h"
#include "util/parallel.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace verno {

ChunkChange ChunkChange::then(const ChunkChange &next) const
{
    if (empty())
        return next;
    if (next.empty())
        return *this;
    // The span both touch, in the chunks as they were and as they are now.
    const int first = std::min(this->first, next.first);
    const int end = std::max(this->first + added, next.first + next.removed);
    return {first, end + removed - added - first, end + next.added - next.removed - first};
}

TextStore::TextStore(int chunkBytes) : chunkBytes_(std::max(chunkBytes, 2)) {}

// --- scanning the bytes ------------------------------------------------------------

int TextStore::countLfs(int from, int to) const
{
    if (to <= from)
        return 0;
    const auto [a, b] = bytes_.pieces();
    const auto split = int(a.size());
    size_t count = 0;
    if (from < split)
        count += countLineFeeds(a.data() + from, size_t(std::min(to, split) - from));
    if (to > split) {
        const int s = std::max(from, split);
        count += countLineFeeds(b.data() + (s - split), size_t(to - s));
    }
    return int(count);
}

int TextStore::nextLf(int from, int to) const
{
    if (to <= from)
        return -1;
    const auto [a, b] = bytes_.pieces();
    const auto split = int(a.size());
    if (from < split) {
        if (const char *hit = findLineFeed(a.data() + from, size_t(std::min(to, split) - from)))
            return int(hit - a.data());
    }
    if (to > split) {
        const int s = std::max(from, split);
        if (const char *hit = findLineFeed(b.data() + (s - split), size_t(to - s)))
            return split + int(hit - b.data());
    }
    return -1;
}

int TextStore::previousLf(int from, int to) const
{
    if (to <= from)
        return -1;
    const auto [a, b] = bytes_.pieces();
    const auto split = int(a.size());
    if (to > split) {
        const int s = std::max(from, split);
        if (const void *hit = ::memrchr(b.data() + (s - split), '\n', size_t(to - s)))
            return split + int(static_cast<const char *>(hit) - b.data());
    }
    if (from < split) {
        const int e = std::min(to, split);
        if (const void *hit = ::memrchr(a.data() + from, '\n', size_t(e - from)))
            return int(static_cast<const char *>(hit) - a.data());
    }
    return -1;
}

void TextStore::remember(int line, int start, int next) const
{
    // Found again: what is known of its end stays.
    if (next < 0 && line == memoLine_ && start == memoStart_)
        return;
    memoLine_ = line;
    memoStart_ = start;
    memoNext_ = next;
}

int TextStore::nextLineStart(int start) const
{
    const int lf = nextLf(start, length());
    return lf < 0 ? length() + 1 : lf + 1;
}

// --- lines -----------------------------------------------------------------------

int TextStore::lineStart(int line) const
{
    if (line <= 0) {
        remember(0, 0);
        return 0;
    }
    if (line >= lineCount())
        return length();
    if (line == memoLine_ + 1 && memoNext_ >= 0) {
        remember(line, memoNext_);
        return memoStart_;
    }
    const int c = chunkLines_.rangeOf(line);
    const int first = chunkLines_.start(c);
    const int chunkBegin = chunks_.start(c);
    const bool memoHere = memoLine_ >= first && memoLine_ < first + chunkLineCount(c);
    int pos = chunkBegin;
    int steps = line - first; // breaks to pass from pos
    if (memoHere && memoLine_ <= line && line - memoLine_ < steps) {
        pos = memoStart_;
        steps = line - memoLine_;
    } else if (memoHere && memoLine_ > line && memoLine_ - line < steps) {
        // Back from the remembered line: the break before it, and so on.
        int lf = memoStart_ - 1;
        const int floor = std::max(0, chunkBegin - 1);
        for (int k = memoLine_ - line; k > 0; --k)
            lf = previousLf(floor, lf);
        remember(line, lf + 1);
        return lf + 1;
    }
    const int end = length();
    for (; steps > 0; --steps)
        pos = nextLf(pos, end) + 1;
    remember(line, pos);
    return pos;
}

int TextStore::lineEnd(int line) const
{
    if (line >= lineCount() - 1)
        return length();
    // A chunk's last line ends where the chunk does: a long line, which is
    // always one, is never scanned for its end.
    const int c = chunkLines_.rangeOf(std::max(line, 0));
    if (c + 1 < chunkCount() && line == chunkLines_.start(c + 1) - 1)
        return chunks_.start(c + 1) - 2;
    const int start = lineStart(line); // now the remembered line
    if (memoNext_ < 0)
        memoNext_ = nextLineStart(start);
    return memoNext_ > length() ? length() : memoNext_ - 2;
}

int TextStore::lineOf(int pos) const
{
    pos = std::clamp(pos, 0, length());
    if (memoStart_ <= pos && pos < memoNext_)
        return memoLine_;
    const int c = chunks_.rangeOf(pos);
    const int chunkBegin = chunks_.start(c);
    if (chunkLineCount(c) == 1) { // a long line, or a chunk of one line anyway
        const int next = c + 1 == chunkCount() ? length() + 1 : chunks_.start(c + 1);
        remember(chunkLines_.start(c), chunkBegin, next);
        return memoLine_;
    }
    const bool memoHere = memoStart_ >= chunkBegin && (memoStart_ < chunks_.start(c + 1) || c + 1 == chunkCount());
    int line;
    if (memoHere && memoStart_ <= pos)
        line = memoLine_ + countLfs(memoStart_, pos);
    else if (memoHere)
        line = memoLine_ - countLfs(pos, memoStart_);
    else
        line = chunkLines_.start(c) + countLfs(chunkBegin, pos);
    // The whole line is remembered, so asking again about it costs nothing.
    remember(line, previousLf(std::max(0, chunkBegin - 1), pos) + 1, nextLineStart(pos));
    return line;
}

// --- text ------------------------------------------------------------------------

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

// Before the gap, across it, after it: forward in that order, backward the other way.
int TextStore::find(int from, int to, std::string_view needle, bool fold) const
{
    const auto [a, b] = bytes_.pieces();
    const auto split = int(a.size());
    const auto m = int(needle.size());
    if (from < split) {
        const int end = std::min(to, split);
        if (const long hit = findBytes(a.data() + from, size_t(std::max(0, end - from)), needle, fold); hit >= 0)
            return from + int(hit);
    }
    if (from < split && to > split && m > 1) {
        const int lo = std::max(from, split - m + 1);
        std::string scratch;
        const std::string_view around = view(lo, std::min(to, split + m - 1) - lo, scratch);
        if (const long hit = findBytes(around.data(), around.size(), needle, fold); hit >= 0)
            return lo + int(hit);
    }
    if (to > split) {
        const int s = std::max(from, split);
        if (const long hit = findBytes(b.data() + (s - split), size_t(std::max(0, to - s)), needle, fold); hit >= 0)
            return s + int(hit);
    }
    return -1;
}

int TextStore::findBackward(int from, int to, std::string_view needle, bool fold) const
{
    const auto [a, b] = bytes_.pieces();
    const auto split = int(a.size());
    const auto m = int(needle.size());
    if (to > split) {
        const int s = std::max(from, split);
        const long hit = findBytesBackward(b.data() + (s - split), size_t(std::max(0, to - s)), needle, fold);
        if (hit >= 0)
            return s + int(hit);
    }
    if (from < split && to > split && m > 1) {
        const int lo = std::max(from, split - m + 1);
        std::string scratch;
        const std::string_view around = view(lo, std::min(to, split + m - 1) - lo, scratch);
        if (const long hit = findBytesBackward(around.data(), around.size(), needle, fold); hit >= 0)
            return lo + int(hit);
    }
    if (from < split) {
        const int end = std::min(to, split);
        const long hit = findBytesBackward(a.data() + from, size_t(std::max(0, end - from)), needle, fold);
        if (hit >= 0)
            return from + int(hit);
    }
    return -1;
}

// --- changes -----------------------------------------------------------------------

void TextStore::reserve(size_t bytes, int lines)
{
    if (bytes > size_t(kMaxTextLength - length()))
        throw std::bad_alloc();
    bytes_.reserve(bytes);
    // New chunks come from splitting what grew past twice the chunk size.
    const int chunks = int(std::min<size_t>(bytes, size_t(lines)) / size_t(chunkBytes_)) + 2;
    chunks_.reserve(chunks);
    chunkLines_.reserve(chunks);
}

void TextStore::noteChange(const ChunkChange &change)
{
    change_ = change_.then(change);
}

ChunkChange TextStore::takeChunkChange()
{
    return std::exchange(change_, ChunkChange{});
}

// A chunk grown past twice the chunk size is cut at line starts, unless it
// is one long line.
void TextStore::splitChunk(int c)
{
    const int first = c;
    while (chunkEnd(c) - chunkStart(c) > 2 * chunkBytes_) {
        const int lfs = chunkLines_.start(c + 1) - chunkLines_.start(c);
        if (lfs == 0 || (lfs == 1 && c + 1 < chunkCount()))
            break; // one long line
        const int start = chunkStart(c);
        const int target = start + chunkBytes_;
        int lf = nextLf(target - 1, chunkEnd(c) - 1);
        if (lf < 0)
            lf = previousLf(start, target - 1);
        if (lf < 0)
            break;
        chunks_.insert(c + 1, lf + 1);
        chunkLines_.insert(c + 1, chunkLines_.start(c) + countLfs(start, lf + 1));
        ++c;
    }
    if (c > first)
        noteChange({first, 1, c - first + 1});
}

void TextStore::insert(int pos, std::string_view text)
{
    if (text.empty())
        return;
    reserve(text.size(), 0);
    const int c = chunks_.rangeOf(pos);
    const int line = lineOf(pos); // remembers pos's line, which stays where it is
    const int n = int(text.size());
    const int lfs = int(countLineFeeds(text.data(), text.size()));
    bytes_.insert(size_t(pos), text.data(), text.size());
    chunks_.grow(c, n);
    chunkLines_.grow(c, lfs);
    noteChange({c, 1, 1});
    splitChunk(c);
    if (lfs == 0)
        memoNext_ += n; // the line just grew
    else
        memoNext_ = -1;
    for (int l = line; l <= line + lfs; ++l)
        longestLine_ = std::max(longestLine_, lineEnd(l) - lineStart(l));
}

void TextStore::erase(int pos, int count)
{
    if (count <= 0)
        return;
    const int c1 = chunks_.rangeOf(pos);
    const int c2 = chunks_.rangeOf(pos + count);
    const int lastLine = lineOf(pos + count);
    const int firstLine = lineOf(pos); // remembers pos's line, which stays where it is
    bytes_.erase(size_t(pos), size_t(count));
    memoNext_ = firstLine == lastLine ? memoNext_ - count : -1;
    chunks_.remove(c1 + 1, c2 - c1);
    chunkLines_.remove(c1 + 1, c2 - c1);
    chunks_.grow(c1, -count);
    chunkLines_.grow(c1, firstLine - lastLine);
    noteChange({c1, c2 - c1 + 1, 1});
    splitChunk(c1);
}

void TextStore::clear()
{
    bytes_.release();
    chunks_.reset(0);
    chunkLines_.reset(0);
    longestLine_ = 0;
    change_ = {};
    memoLine_ = memoStart_ = 0;
    memoNext_ = -1;
}

bool TextStore::assign(std::string_view text)
{
    ByteBlock block;
    if (text.size() > size_t(kMaxTextLength) || !block.reserve(text.size()))
        return false;
    if (!text.empty()) // an empty block may have no memory at all
        std::memcpy(block.data(), text.data(), text.size());
    block.setSize(text.size());
    return adopt(std::move(block));
}

bool TextStore::prepare(ByteBlock &&block, PreparedText &out, int chunkBytes)
{
    const size_t n = block.size();
    if (n > size_t(kMaxTextLength))
        return false;
    if (block.offset() > 0) {
        std::memmove(block.block(), block.data(), n);
        block.setOffset(0);
    }
    const BreakScan scan(block.data(), n, size_t(std::max(chunkBytes, 2)), bulkParts(n));
    const size_t total = n + scan.extra();
    if (total > size_t(kMaxTextLength))
        return false;
    // The gap follows the text: room for the first edits, no more, as a
    // large room would only be moved about.
    const size_t room = std::min<size_t>(total / 64 + 4096, size_t(1) << 20);
    if (block.capacity() > total + 2 * room)
        block.setCapacity(total + room);
    if (!block.reserve(total + room))
        return false;
    scan.normalise(block.data());
    block.setSize(total);
    out.bytes = std::move(block);
    out.chunkStarts = scan.chunkStarts();
    out.chunkBreaks = scan.chunkBreaks();
    out.breaks = scan.breaks();
    out.longest = scan.longest();
    out.loneBreaks = scan.extra();
    out.loneCr = scan.loneCr();
    out.ascii = scan.ascii();
    return true;
}

bool TextStore::take(PreparedText &&text)
{
    // Built aside, so a failure leaves this text as it was.
    Partition chunks;
    Partition lines;
    const size_t total = text.bytes.size();
    chunks.reset(int(total));
    lines.reset(int(text.breaks));
    chunks.reserve(int(text.chunkStarts.size()) + 2);
    lines.reserve(int(text.chunkStarts.size()) + 2);
    for (size_t k = 0; k < text.chunkStarts.size(); ++k) {
        chunks.append(int(text.chunkStarts[k]));
        lines.append(int(text.chunkBreaks[k]));
    }
    ByteBlock &block = text.bytes;
    const size_t capacity = block.capacity();
    bytes_.adopt(block.release(), total, capacity - total, capacity);
    chunks_ = std::move(chunks);
    chunkLines_ = std::move(lines);
    longestLine_ = int(text.longest);
    change_ = {};
    memoLine_ = memoStart_ = 0;
    memoNext_ = -1;
    return true;
}

bool TextStore::adopt(ByteBlock &&block)
{
    PreparedText text;
    return prepare(std::move(block), text, chunkBytes_) && take(std::move(text));
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
