#include "util/charwidths.h"

namespace verno {

float CharWidths::measured(char32_t cp)
{
    if (cp >= 0x10000) {
        const auto it = beyond_.find(cp);
        return it != beyond_.end() ? it->second : beyond_[cp] = measure(cp);
    }
    if (plane_.empty())
        plane_.assign(0x10000, -1.0f);
    return plane_[cp] = measure(cp);
}

float CharWidths::ofUnit(std::string_view bytes)
{
    const std::string key(bytes);
    const auto it = units_.find(key);
    return it != units_.end() ? it->second : units_[key] = measureUnit(bytes);
}

} // namespace verno
