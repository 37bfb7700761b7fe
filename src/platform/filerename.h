#pragma once
#include <QString>

namespace verno {

// Renames a file without ever replacing another one: false when the new name
// is taken, the file is missing or the system refuses. A name that differs
// only in letter case, on a file system that ignores case, is allowed.
bool renameNoReplace(const QString &from, const QString &to);

} // namespace verno
