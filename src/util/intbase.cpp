#include "util/intbase.h"

namespace verno {

std::string IntToBase(int value, int base, int count)
{
    if (base < 2 || base > 36 || count <= 0)
        return {};
    static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    unsigned v = static_cast<unsigned>(value) & 0xFFFFu;
    std::string out(size_t(count), '0');
    for (int i = count - 1; i >= 0; --i) {
        out[size_t(i)] = digits[v % unsigned(base)];
        v /= unsigned(base);
    }
    return out;
}

std::string IntToBaseBlank(int value, int base, int count)
{
    std::string out = IntToBase(value, base, count);
    for (size_t i = 0; i + 1 < out.size() && out[i] == '0'; ++i)
        out[i] = ' ';
    return out;
}

} // namespace verno
