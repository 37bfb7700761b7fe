#pragma once
#include <QIcon>

namespace verno {

// The program's own icon, at every size it is drawn in.
QIcon programIcon();

} // namespace verno
