#include "util/tiling.h"

#include <cmath>

namespace verno {

std::vector<TileRect> tileRects(int n, int width, int height, bool down)
{
    std::vector<TileRect> rects;
    if (n <= 0 || width <= 0 || height <= 0)
        return rects;
    // Bands across the tiling direction; the later bands take one extra window
    // when n does not divide evenly.
    const int bands = n <= 3 ? 1 : int(std::sqrt(double(n)));
    const int across = down ? width : height;
    const int along = down ? height : width;
    int placed = 0;
    for (int band = 0; band < bands; ++band) {
        const int count = n / bands + (band >= bands - n % bands ? 1 : 0);
        const int b0 = across * band / bands;
        const int b1 = across * (band + 1) / bands;
        for (int i = 0; i < count; ++i, ++placed) {
            const int a0 = along * i / count;
            const int a1 = along * (i + 1) / count;
            if (down)
                rects.push_back({b0, a0, b1 - b0, a1 - a0});
            else
                rects.push_back({a0, b0, a1 - a0, b1 - b0});
        }
    }
    return rects;
}

} // namespace verno
