#pragma once
// Advances of the characters past ASCII in a UTF-8 text, each found once by
// whoever draws them and kept: a flat table for the basic plane, a map for
// the rest, and a map of units that carry marks, measured whole as they are
// drawn. So laying out a line never asks the font twice for one character.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace verno {

class CharWidths {
public:
    virtual ~CharWidths() = default;

    float of(char32_t cp)
    {
        if (cp < 0x10000 && !plane_.empty()) {
            const float w = plane_[cp];
            if (w >= 0)
                return w;
        }
        return measured(cp);
    }
    // A character with the marks that join it, as the bytes of the text hold it.
    float ofUnit(std::string_view bytes);

protected:
    virtual float measure(char32_t cp) = 0;
    virtual float measureUnit(std::string_view bytes) = 0;

private:
    float measured(char32_t cp);

    std::vector<float> plane_; // -1: not measured yet
    std::unordered_map<char32_t, float> beyond_;
    std::unordered_map<std::string, float> units_;
};

} // namespace verno
