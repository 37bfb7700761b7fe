#pragma once
#include <QString>

namespace verno {

class TMainWindow;

// Closes the frame's windows, opens a file of that many lines and times a
// find and a replace-all in it against grep and sed.
void benchSearch(TMainWindow &frame, const QString &dir, int lines);

} // namespace verno
