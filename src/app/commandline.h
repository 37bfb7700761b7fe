#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace verno {

struct CommandLine {
    QStringList files; // in order, as given
    bool readOnly = false;
    bool wordWrap = false;
    bool help = false;
    bool version = false;
};

// "/R" "/r" read-only, "/W" "/w" word wrap; any other two-character "/x" is
// ignored. A longer argument starting with "/" is an absolute path here.
// Also -r/--read-only, -w/--word-wrap, -h/--help, --version and "--"; any
// other argument, "-" ones included, is a file name.
CommandLine parseCommandLine(const QStringList &arguments);

// Whether a process argument is valid UTF-8: only such names reach the
// program's files intact.
bool argumentIsText(const QByteArray &raw);
// The bytes for a message: text where it is valid, "\xNN" where it is not.
QString printableArgument(const QByteArray &raw);

QString usageText();

} // namespace verno
