#pragma once
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace verno {

// Picture for a tool button, by the button's object name ("BtnFileSave").
// Uses the desktop icon theme where a standard icon fits, else the bundled
// picture (20x20 plus a 40x40 copy for high-dpi screens). Unknown names give
// a null icon.
QIcon toolIcon(const QString &buttonName);

// The bundled picture alone, drawn at size x size pixels (any size; it is laid
// out on a 20x20 grid). Null for unknown names.
QPixmap toolPicture(const QString &buttonName, int size = 20);

// Every button name toolIcon() knows, in tool bar order.
QStringList toolIconNames();

} // namespace verno
