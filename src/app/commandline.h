#pragma once
#include <QString>
#include <QStringList>

namespace verno {

struct CommandLine {
    QStringList files; // in order, as given
    bool readOnly = false;
    bool wordWrap = false;
    bool help = false;
    bool version = false;
    QString error; // an unknown option
};

// "/R" "/r" read-only, "/W" "/w" word wrap; any other two-character "/x" is
// ignored. A longer argument starting with "/" is an absolute path here.
// Also -r/--read-only, -w/--word-wrap, -h/--help, --version and "--".
CommandLine parseCommandLine(const QStringList &arguments);

QString usageText();

} // namespace verno
