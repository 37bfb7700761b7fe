#pragma once
#include <vector>

namespace verno {

struct TileRect {
    int x, y, w, h;
    bool operator==(const TileRect &) const = default;
};

// Places n windows in an area. Down: one above another (in columns when there
// are more than three); across: side by side (in rows when more than three).
std::vector<TileRect> tileRects(int n, int width, int height, bool down);

} // namespace verno
