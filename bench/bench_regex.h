#pragma once
#include <QString>

namespace verno {

class TMainWindow;

// Opens the file and times a replace-all with a regular expression and
// groups in it, against sed -E on the same file, and compares the results.
void benchRegexReplace(TMainWindow &frame, const QString &path);

} // namespace verno
