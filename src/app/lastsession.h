#pragma once
// The files open when the program ended, to open again at the next start:
// kept in section "LastSession" of the settings while "Reopen the files of
// the last session" is on.
#include <QList>
#include <QString>

namespace verno {

class T_IniFile;
class TMainWindow;

struct SessionFile {
    QString path;
    int caret = 0;
    bool wordWrap = false;
    bool readOnly = false;
    bool operator==(const SessionFile &) const = default;
};

struct LastSession {
    QList<SessionFile> files; // in the order the windows were opened
    int active = -1;          // index of the active window's file, -1 none
    bool operator==(const LastSession &) const = default;
};

void readLastSession(const T_IniFile &ini, LastSession &session);
// Erases the section, then writes the session when keep is on.
void writeLastSession(T_IniFile &ini, const LastSession &session, bool keep);

// The frame's windows on files, as they are now; untitled ones are left out.
LastSession collectLastSession(const TMainWindow &frame);
// Opens the files again, skipping those that are gone, and activates the
// one that was active.
void reopenLastSession(TMainWindow &frame, const LastSession &session);

} // namespace verno
