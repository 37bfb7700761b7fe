#pragma once
// Every persisted setting as plain data, and how it is read from and written
// to the store. Applying the values to windows is the frame's business.
#include "app/lastsession.h"

#include <QString>
#include <QStringList>

namespace verno {

class T_IniFile;

// Designed sizes of the Execute and File list dialogs.
constexpr int kCommandDialogWidth = 560, kCommandDialogHeight = 340;
constexpr int kChildListWidth = 420, kChildListHeight = 240;

struct Settings {
    Settings(); // the designed values

    // Section "Options"; defaults come from the table in settings.cpp.
    bool Backup, ToolBar, StatusBar, Tabs, TabsSort, Hints, Path, GrayReadOnly, InitialWin,
        ROifModified, WinList, WinListSort, FileHist, FileHistSort, FileHistSave, FindHistSave,
        SavePosition, SaveExec, ConfirmSave, FindWord, NewWindowsUtf8, AutoReload;
    // Beyond the designed options; each is off unless chosen.
    bool KeepLineBreaks, ReopenSession, RegularExpression, LineNumbers;
    int WinListMax, FileHistMax, ShiftCount, ShellIndex, InsCharBase;

    // Section "Font": the default font of new edit windows.
    QString FontName = QStringLiteral("Courier New");
    int FontSize = 13;  // points
    int FontColor = 0;  // system colours have the high bit set and read negative
    bool FontBold = false;
    bool FontItalic = false;

    // Geometry in pixels; -1 means not known, so the window keeps its own.
    // The two dialogs start at their designed sizes, which are stored as
    // they are when a dialog was never opened.
    int MainTop = -1, MainLeft = -1, MainWidth = -1, MainHeight = -1;
    int CommandWidth = kCommandDialogWidth, CommandHeight = kCommandDialogHeight;
    int ChildListWidth = kChildListWidth, ChildListHeight = kChildListHeight;

    QString FileFilter;         // the open dialog's filter text
    QStringList FileHistory;    // top entry first
    QStringList FindHistory;
    QStringList ReplaceHistory;
    QStringList Commands;
    QStringList ShellCmds;
    LastSession Session; // section "LastSession", written only with ReopenSession

    bool operator==(const Settings &) const = default;
};

QStringList defaultShells();

// Reads every section. Options missing from the store take their designed
// default; font and geometry keep the struct's current values.
void readSettings(T_IniFile &ini, Settings &settings);
// Writes every section. Geometry only with SavePosition, the file history only
// with FileHistSave (already cut to FileHistMax), the find and replace
// histories only with FindHistSave; sections not written are erased, except
// the geometry ones, which keep what an earlier run stored.
void writeSettings(T_IniFile &ini, const Settings &settings);

// Loads the store file and reads the settings from it. Returns a warning line
// about a damaged or unreadable file, already written to standard error; "" if none.
QString loadSettingsFile(const QString &path, Settings &settings);
// Reads the store file first, so values this program does not know survive,
// then writes the settings and saves atomically. Returns an error text, "" on
// success; on failure the file is left as it was.
QString saveSettingsFile(const QString &path, const Settings &settings);

} // namespace verno
