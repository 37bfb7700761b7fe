#include "app/settings.h"

#include "app/filterlist.h"
#include "app/inifile.h"
#include "platform/regstore.h"

#include <array>
#include <cstdio>

namespace verno {

namespace {

const QString kOptions = QStringLiteral("Options");

// One row per value of section "Options", in reading order. Integers are
// written after all Booleans, in the order of writeRank.
struct OptionRow {
    enum Kind { Boolean, Integer };
    const char *name;
    Kind kind;
    int defaultValue;
    bool Settings::*flag;
    int Settings::*number;
    int writeRank;
};

constexpr OptionRow boolRow(const char *name, bool Settings::*flag, bool defaultValue)
{
    return {name, OptionRow::Boolean, defaultValue ? 1 : 0, flag, nullptr, 0};
}

constexpr OptionRow intRow(const char *name, int Settings::*number, int defaultValue, int writeRank)
{
    return {name, OptionRow::Integer, defaultValue, nullptr, number, writeRank};
}

constexpr std::array kOptionRows = {
    boolRow("Backup", &Settings::Backup, true),
    boolRow("ToolBar", &Settings::ToolBar, true),
    boolRow("StatusBar", &Settings::StatusBar, true),
    boolRow("Tabs", &Settings::Tabs, true),
    boolRow("TabsSort", &Settings::TabsSort, false),
    boolRow("Hints", &Settings::Hints, true),
    boolRow("Path", &Settings::Path, true),
    boolRow("GrayReadOnly", &Settings::GrayReadOnly, true),
    boolRow("InitialWin", &Settings::InitialWin, false),
    boolRow("ROifModified", &Settings::ROifModified, false),
    boolRow("WinList", &Settings::WinList, true),
    boolRow("WinListSort", &Settings::WinListSort, false),
    intRow("WinListMax", &Settings::WinListMax, 20, 2),
    boolRow("FileHist", &Settings::FileHist, true),
    boolRow("FileHistSort", &Settings::FileHistSort, false),
    boolRow("FileHistSave", &Settings::FileHistSave, true),
    intRow("FileHistMax", &Settings::FileHistMax, 10, 1),
    boolRow("FindHistSave", &Settings::FindHistSave, false),
    boolRow("SavePosition", &Settings::SavePosition, false),
    boolRow("SaveExec", &Settings::SaveExec, true),
    boolRow("ConfirmSave", &Settings::ConfirmSave, true),
    boolRow("FindWord", &Settings::FindWord, true),
    boolRow("NewWindowsUtf8", &Settings::NewWindowsUtf8, false),
    // Files changed by other programs are read again without asking.
    boolRow("AutoReload", &Settings::AutoReload, true),
    intRow("ShiftCount", &Settings::ShiftCount, 2, 0),
    intRow("ShellIndex", &Settings::ShellIndex, 1, 3),
    intRow("InsCharBase", &Settings::InsCharBase, 1, 4),
};

// The choices beyond the designed options, read and written after them; all
// Booleans.
constexpr std::array kExtraRows = {
    boolRow("KeepLineBreaks", &Settings::KeepLineBreaks, false),
    boolRow("ReopenSession", &Settings::ReopenSession, false),
    boolRow("RegularExpression", &Settings::RegularExpression, false),
    boolRow("LineNumbers", &Settings::LineNumbers, false),
};

struct GeometryRow {
    const char *section;
    const char *name;
    int Settings::*field;
};

// Reading and writing order.
constexpr std::array kGeometryRows = {
    GeometryRow{"MainWindow", "Top", &Settings::MainTop},
    GeometryRow{"MainWindow", "Left", &Settings::MainLeft},
    GeometryRow{"MainWindow", "Width", &Settings::MainWidth},
    GeometryRow{"MainWindow", "Height", &Settings::MainHeight},
    GeometryRow{"CommandDialog", "Width", &Settings::CommandWidth},
    GeometryRow{"CommandDialog", "Height", &Settings::CommandHeight},
    GeometryRow{"ChildList", "Width", &Settings::ChildListWidth},
    GeometryRow{"ChildList", "Height", &Settings::ChildListHeight},
};

void readOptions(T_IniFile &ini, Settings &s)
{
    for (const OptionRow &row : kOptionRows) {
        const QString name = QLatin1String(row.name);
        if (row.kind == OptionRow::Boolean)
            s.*row.flag = ini.ReadBool(kOptions, name, row.defaultValue != 0);
        else
            s.*row.number = ini.ReadInteger(kOptions, name, row.defaultValue);
    }
    for (const OptionRow &row : kExtraRows) // all Booleans
        s.*row.flag = ini.ReadBool(kOptions, QLatin1String(row.name), row.defaultValue != 0);
}

void writeOptions(T_IniFile &ini, const Settings &s)
{
    for (const OptionRow &row : kOptionRows)
        if (row.kind == OptionRow::Boolean)
            ini.WriteBool(kOptions, QLatin1String(row.name), s.*row.flag);
    for (int rank = 0; rank < int(kOptionRows.size()); ++rank)
        for (const OptionRow &row : kOptionRows)
            if (row.kind == OptionRow::Integer && row.writeRank == rank)
                ini.WriteInteger(kOptions, QLatin1String(row.name), s.*row.number);
    for (const OptionRow &row : kExtraRows)
        ini.WriteBool(kOptions, QLatin1String(row.name), s.*row.flag);
}

void readFont(T_IniFile &ini, Settings &s)
{
    const QString font = QStringLiteral("Font");
    s.FontName = ini.ReadString(font, QStringLiteral("Name"), s.FontName);
    s.FontSize = ini.ReadInteger(font, QStringLiteral("Size"), s.FontSize);
    s.FontColor = ini.ReadInteger(font, QStringLiteral("Color"), s.FontColor);
    s.FontBold = ini.ReadBool(font, QStringLiteral("Bold"), s.FontBold);
    s.FontItalic = ini.ReadBool(font, QStringLiteral("Italic"), s.FontItalic);
}

void writeFont(T_IniFile &ini, const Settings &s)
{
    const QString font = QStringLiteral("Font");
    ini.WriteString(font, QStringLiteral("Name"), s.FontName);
    ini.WriteInteger(font, QStringLiteral("Size"), s.FontSize);
    ini.WriteInteger(font, QStringLiteral("Color"), s.FontColor);
    ini.WriteBool(font, QStringLiteral("Bold"), s.FontBold);
    ini.WriteBool(font, QStringLiteral("Italic"), s.FontItalic);
}

// A list section that is written only when keep is on, and erased otherwise.
void writeOptionalList(T_IniFile &ini, const QString &section, bool keep, const QStringList &list)
{
    ini.EraseSection(section);
    if (keep)
        ini.WriteListSection(section, list);
}

} // namespace

Settings::Settings() : FileFilter(QLatin1String(kDefaultFileFilter)), ShellCmds(defaultShells())
{
    for (const OptionRow &row : kExtraRows)
        this->*row.flag = row.defaultValue != 0;
    for (const OptionRow &row : kOptionRows) {
        if (row.kind == OptionRow::Boolean)
            this->*row.flag = row.defaultValue != 0;
        else
            this->*row.number = row.defaultValue;
    }
}

QStringList defaultShells()
{
#ifdef _WIN32
    return {QStringLiteral("cmd.exe"), QStringLiteral("command.com")};
#else
    return {QStringLiteral("x-terminal-emulator"), QStringLiteral("xterm")};
#endif
}

void readSettings(T_IniFile &ini, Settings &s)
{
    readOptions(ini, s);
    readFont(ini, s);
    for (const GeometryRow &row : kGeometryRows)
        s.*row.field = ini.ReadInteger(QLatin1String(row.section), QLatin1String(row.name), s.*row.field);

    QStringList filter;
    ini.ReadListSection(QStringLiteral("FileFilter"), filter);
    s.FileFilter = filter.isEmpty() ? QLatin1String(kDefaultFileFilter) : ListToFilter(filter);
    ini.ReadListSection(QStringLiteral("FileHistory"), s.FileHistory);
    ini.ReadListSection(QStringLiteral("FindHistory"), s.FindHistory);
    ini.ReadListSection(QStringLiteral("ReplaceHistory"), s.ReplaceHistory);
    ini.ReadListSection(QStringLiteral("Commands"), s.Commands);
    ini.ReadListSection(QStringLiteral("ShellCmds"), s.ShellCmds);
    if (s.ShellCmds.isEmpty())
        s.ShellCmds = defaultShells();
    readLastSession(ini, s.Session);
}

void writeSettings(T_IniFile &ini, const Settings &s)
{
    writeOptions(ini, s);
    writeFont(ini, s);
    ini.EraseSection(QStringLiteral("Position"));
    if (s.SavePosition)
        for (const GeometryRow &row : kGeometryRows)
            ini.WriteInteger(QLatin1String(row.section), QLatin1String(row.name), s.*row.field);

    QStringList filter;
    FilterToList(s.FileFilter, filter);
    ini.WriteListSection(QStringLiteral("FileFilter"), filter);
    writeOptionalList(ini, QStringLiteral("FileHistory"), s.FileHistSave, s.FileHistory);
    writeOptionalList(ini, QStringLiteral("FindHistory"), s.FindHistSave, s.FindHistory);
    writeOptionalList(ini, QStringLiteral("ReplaceHistory"), s.FindHistSave, s.ReplaceHistory);
    ini.WriteListSection(QStringLiteral("Commands"), s.Commands);
    ini.WriteListSection(QStringLiteral("ShellCmds"), s.ShellCmds);
    writeLastSession(ini, s.Session, s.ReopenSession);
}

QString loadSettingsFile(const QString &path, Settings &settings)
{
    RegStore store;
    store.load(path);
    T_IniFile ini(store);
    readSettings(ini, settings);
    if (!store.warning().isEmpty())
        std::fprintf(stderr, "%s\n", store.warning().toLocal8Bit().constData());
    return store.warning();
}

QString saveSettingsFile(const QString &path, const Settings &settings)
{
    RegStore store;
    store.load(path);
    // Writing over a file we could not read would throw away what it holds.
    if (!store.readError().isEmpty())
        return store.readError();
    T_IniFile ini(store);
    writeSettings(ini, settings);
    return store.save(path);
}

} // namespace verno
