#pragma once
// The keys the frame's menus claim (set through setFrameKeys).
class QKeyEvent;

namespace verno {

bool isFrameKey(const QKeyEvent *e);

} // namespace verno
