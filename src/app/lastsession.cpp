#include "app/lastsession.h"
#include "app/inifile.h"
#include "app/mainwindow.h"
#include "window/filewindow.h"

#include <QFileInfo>
#include <QMdiArea>
#include <algorithm>

namespace verno {

namespace {

const QString kSection = QStringLiteral("LastSession");

QString key(const char *name, int i) { return QLatin1String(name) + QString::number(i + 1); }

} // namespace

void readLastSession(const T_IniFile &ini, LastSession &session)
{
    session = {};
    const int count = std::clamp(ini.ReadInteger(kSection, QStringLiteral("Count"), 0), 0, 1000);
    for (int i = 0; i < count; ++i) {
        SessionFile f;
        f.path = ini.ReadString(kSection, key("File", i), QString());
        f.caret = std::max(0, ini.ReadInteger(kSection, key("Caret", i), 0));
        f.wordWrap = ini.ReadBool(kSection, key("WordWrap", i), false);
        f.readOnly = ini.ReadBool(kSection, key("ReadOnly", i), false);
        if (!f.path.isEmpty())
            session.files << f;
    }
    session.active = ini.ReadInteger(kSection, QStringLiteral("Active"), -1);
}

void writeLastSession(T_IniFile &ini, const LastSession &session, bool keep)
{
    ini.EraseSection(kSection);
    if (!keep)
        return;
    ini.WriteInteger(kSection, QStringLiteral("Count"), int(session.files.size()));
    ini.WriteInteger(kSection, QStringLiteral("Active"), session.active);
    for (int i = 0; i < session.files.size(); ++i) {
        const SessionFile &f = session.files[i];
        ini.WriteString(kSection, key("File", i), f.path);
        ini.WriteInteger(kSection, key("Caret", i), f.caret);
        ini.WriteBool(kSection, key("WordWrap", i), f.wordWrap);
        ini.WriteBool(kSection, key("ReadOnly", i), f.readOnly);
    }
}

LastSession collectLastSession(const TMainWindow &frame)
{
    LastSession session;
    const QList<TFileWindow *> open = frame.editWindows();
    const TFileWindow *active = frame.activeWindow();
    for (QMdiSubWindow *sub : frame.mdiArea()->subWindowList(QMdiArea::CreationOrder)) {
        auto *w = qobject_cast<TFileWindow *>(sub);
        if (!w || !open.contains(w) || w->FileName.isEmpty())
            continue;
        if (w == active)
            session.active = int(session.files.size());
        const EditControl &m = w->Memo();
        session.files << SessionFile{w->FilePath(), m.SelectionStart(), m.WordWrap(), w->IsReadOnly()};
    }
    return session;
}

void reopenLastSession(TMainWindow &frame, const LastSession &session)
{
    TFileWindow *active = nullptr;
    for (int i = 0; i < session.files.size(); ++i) {
        const SessionFile &f = session.files[i];
        // A file that is gone is passed by without a word.
        if (!QFileInfo(f.path).isFile() || !frame.OpenEditWindow(f.path, f.readOnly))
            continue;
        TFileWindow *w = frame.activeWindow();
        w->SetWordWrap(f.wordWrap);
        w->Memo().SetCaret(std::min(f.caret, w->Memo().TextLength()));
        w->Memo().SetSelectionLength(0);
        if (i == session.active)
            active = w;
    }
    if (active) {
        frame.ActivateEditWindow(active);
        frame.SelectActiveTab();
    }
}

} // namespace verno
