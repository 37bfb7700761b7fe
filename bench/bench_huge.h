#pragma once
#include <QString>
#include <map>

namespace verno {

class TMainWindow;

// A log of eight million lines (about 581 MB) with LF or CR LF breaks; the
// last line alone holds "zanzibarquux", a quarter of the lines "ERROR".
bool writeHugeLog(const QString &path, bool crlf);

// Opens the log and prints, as "name value" lines: ready, peak memory, the
// keys at its end, a find, a replace-all, a save, word wrap on and a drag
// of the scroll bar's thumb. With readyOnly, the first two alone.
void benchHuge(TMainWindow &frame, const QString &path, bool readyOnly);

// Seconds (wall) for wc -l, the same replacement with sed, cp, and cp with
// sync, on the file.
std::map<QString, double> toolFigures(const QString &path);

} // namespace verno
