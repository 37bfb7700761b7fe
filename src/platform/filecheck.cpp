#include "platform/filecheck.h"
#include "platform/fileattributes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace verno {

namespace {

// What a name that exists but is no regular file names; nullptr for a
// regular file or nothing at all.
const char *specialKind(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || S_ISREG(st.st_mode))
        return nullptr;
    if (S_ISFIFO(st.st_mode))
        return "a named pipe";
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return "a device";
    if (S_ISSOCK(st.st_mode))
        return "a socket";
    if (S_ISDIR(st.st_mode))
        return "a folder";
    return "a special file";
}

} // namespace

FileCheck checkChosenFile(const QString &path, bool save, bool confirmReplace)
{
    const QFileInfo info(path);
    if (!save) {
        if (info.isFile())
            return {};
        if (const char *kind = specialKind(path))
            return {FileCheck::Refuse, QStringLiteral("%1\rThis is %2, not a regular file.\rChoose a regular file.")
                                           .arg(path, QLatin1String(kind))};
        return {FileCheck::Refuse, QStringLiteral("%1\rFile not found.\rCheck the file name and try again.").arg(path)};
    }
    if (!QFileInfo(info.absolutePath()).isDir())
        return {FileCheck::Refuse, QStringLiteral("%1\rPath does not exist.\rCheck the path and try again.").arg(path)};
    if (!info.exists())
        return {};
    if (isReadOnlyFile(path))
        return {FileCheck::Refuse,
                QStringLiteral("%1\rThis file is set to read-only.\rTry again with a different file name.").arg(path)};
    if (confirmReplace)
        return {FileCheck::AskReplace, QStringLiteral("%1 already exists.\rDo you want to replace it?").arg(path)};
    return {};
}

QString typedFilePath(const QString &typed, const QString &folder)
{
    const QString inFolder = QDir(folder).filePath(typed);
    const bool home = typed == QLatin1String("~") || typed.startsWith(QLatin1String("~/"));
    if (home && !QFileInfo::exists(inFolder))
        return QDir::homePath() + typed.mid(1);
    return inFolder; // a full path stays as it is
}

} // namespace verno
