#include "platform/filecheck.h"
#include "platform/fileattributes.h"

#include <QDir>
#include <QFileInfo>

namespace verno {

FileCheck checkChosenFile(const QString &path, bool save, bool confirmReplace)
{
    const QFileInfo info(path);
    if (!save) {
        if (info.isFile())
            return {};
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
