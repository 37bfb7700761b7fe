#pragma once
// Finding a text in a line of a UTF-8 text character by character: an
// occurrence begins and ends between units (a character and its marks),
// letter case is folded in every script unless case matters, and a whole
// word has no word character (a letter of any script, a digit or "_") just
// before or after it inside the searched part.
#include <string>
#include <string_view>
#include <vector>

namespace verno {

class CharMatcher {
public:
    CharMatcher(const std::string &pattern, bool caseSensitive, bool wholeWords);

    struct Match {
        int offset = -1; // from the line's start; -1: none
        int length = 0;
    };
    // The first (or with last, the last) occurrence in line's bytes [from, to).
    Match find(std::string_view line, int from, int to, bool last);

private:
    // The code points of s, folded unless case matters; a byte in no valid
    // sequence stands as a value past Unicode that only that byte matches.
    void decode(std::string_view s, std::vector<char32_t> &cps, std::vector<int> *offsets,
                std::vector<char> *unitStarts) const;
    bool wholeWordAt(size_t i, size_t end) const;

    bool fold_;
    bool words_;
    std::vector<char32_t> pattern_;
    std::vector<char32_t> cps_;
    std::vector<int> offsets_;
    std::vector<char> starts_;
};

} // namespace verno
