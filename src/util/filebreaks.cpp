#include "util/filebreaks.h"

#include <cstring>

namespace verno {

LineBreaks detectLineBreaks(std::string_view bytes)
{
    if (bytes.empty())
        return LineBreaks::CrLf;
    const bool cr = std::memchr(bytes.data(), '\r', bytes.size()) != nullptr;
    const bool lf = std::memchr(bytes.data(), '\n', bytes.size()) != nullptr;
    // Both kinds of byte: CR LF breaks, or breaks of mixed kinds.
    if (cr == lf)
        return LineBreaks::CrLf;
    return cr ? LineBreaks::Cr : LineBreaks::Lf;
}

LineBreaks lineBreaksOf(size_t breaks, size_t lone, size_t loneCr)
{
    if (breaks == 0 || lone < breaks || (loneCr != 0 && loneCr != lone))
        return LineBreaks::CrLf;
    return loneCr == 0 ? LineBreaks::Lf : LineBreaks::Cr;
}

std::string withLineBreaks(const std::vector<std::string_view> &pieces, LineBreaks breaks)
{
    size_t total = 0;
    for (std::string_view p : pieces)
        total += p.size();
    std::string out;
    out.reserve(total);
    // A CR LF may be split between two pieces: the half to drop is known by
    // its own byte alone, since every CR here is followed by an LF.
    const char drop = breaks == LineBreaks::Lf ? '\r' : breaks == LineBreaks::Cr ? '\n' : 0;
    for (std::string_view p : pieces) {
        if (!drop) {
            out.append(p);
            continue;
        }
        for (size_t at = 0; at < p.size();) {
            const void *hit = std::memchr(p.data() + at, drop, p.size() - at);
            const size_t end = hit ? size_t(static_cast<const char *>(hit) - p.data()) : p.size();
            out.append(p.data() + at, end - at);
            at = end + 1;
        }
    }
    return out;
}

const char *lineBreaksName(LineBreaks breaks)
{
    switch (breaks) {
    case LineBreaks::Lf: return "LF";
    case LineBreaks::Cr: return "CR";
    default: return "";
    }
}

} // namespace verno
