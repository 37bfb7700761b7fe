#pragma once
#include <QString>

namespace verno {

// Opens the file, types a key and times how its recovery copy is made: the
// longest the event loop is held by one step of the copy, the time the copy
// takes of the loop in all, until it is on disk, and the same text written at
// once as on a quit signal. Prints its lines; returns the exit status.
int benchRecovery(const QString &path);

} // namespace verno
