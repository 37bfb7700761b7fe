#include "app/filterlist.h"
#include "app/inifile.h"
#include "app/settings.h"
#include "platform/regstore.h"
#include "testsupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace verno;
using verno::test::readBytes;
using verno::test::writeBytes;

namespace {

const QString kRoot = QStringLiteral("Software\\Qvo\\Verno");

QString keyOf(const QString &section)
{
    return kRoot + QLatin1Char('\\') + section;
}

// Every setting away from its designed value.
Settings changedSettings()
{
    Settings s;
    for (bool *b : {&s.Backup, &s.ToolBar, &s.StatusBar, &s.Tabs, &s.TabsSort, &s.Hints, &s.Path,
                    &s.GrayReadOnly, &s.InitialWin, &s.ROifModified, &s.WinList, &s.WinListSort,
                    &s.FileHist, &s.FileHistSort, &s.FindHistSave, &s.SaveExec, &s.ConfirmSave,
                    &s.FindWord, &s.FontBold, &s.FontItalic})
        *b = !*b;
    s.SavePosition = true; // FileHistSave stays on, or the history would not be kept
    s.WinListMax = 0;
    s.FileHistMax = 99;
    s.ShiftCount = 32;
    s.ShellIndex = 0;
    s.InsCharBase = 2;
    s.FontName = "DejaVu Sans Mono";
    s.FontSize = 9;
    s.FontColor = int(0x80000008); // a system colour
    s.MainTop = 10, s.MainLeft = -20, s.MainWidth = 800, s.MainHeight = 600;
    s.CommandWidth = 500, s.CommandHeight = 350, s.ChildListWidth = 300, s.ChildListHeight = 200;
    s.FileFilter = "Logs (*.log)|*.log|All|*";
    s.FileHistory = QStringList{"/home/u/a.txt", "/home/u/\"quoted\" b.txt"};
    s.FindHistory = QStringList{"C:\\path\\", "x=y"};
    s.ReplaceHistory = QStringList{"tab\there"};
    s.Commands = QStringList{"make %f", "grep \"x\" %n"};
    s.ShellCmds = QStringList{"bash"};
    return s;
}

} // namespace

TEST(FilterList, EntriesPairDescriptionsWithPatterns)
{
    struct Case {
        QString text;
        QStringList entries;
        QString back;
    };
    const Case cases[] = {
        {"", {}, ""},
        {"Text|*.txt|Other", {"Text|*.txt", "Other|"}, "Text|*.txt|Other|"},
        {"A|", {"A|"}, "A|"},
        {"A|b|", {"A|b"}, "A|b"},
        {"Pascal,Delphi (*.pas;*.dpr)|*.pas;*.dpr", {"Pascal,Delphi (*.pas;*.dpr)|*.pas;*.dpr"},
         "Pascal,Delphi (*.pas;*.dpr)|*.pas;*.dpr"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        QStringList list{"stale"};
        FilterToList(c.text, list);
        EXPECT_EQ(list, c.entries);
        EXPECT_EQ(ListToFilter(list), c.back);
    }
    QStringList list;
    FilterToList(kDefaultFileFilter, list);
    EXPECT_EQ(list.size(), 7);
    EXPECT_EQ(list.last(), "All files (*.*)|*.*");
    EXPECT_EQ(ListToFilter(list), kDefaultFileFilter);
}

TEST(IniFile, NumbersAndBooleansFollowTheStoredKind)
{
    struct Case {
        const char *what;
        std::function<void(RegStore &)> store;
        int integer; // ReadInteger with default 7
        bool flag;   // ReadBool with default false
    };
    const QString key = keyOf("Options");
    const Case cases[] = {
        {"missing", [](RegStore &) {}, 7, false},
        {"number 5", [&](RegStore &r) { r.writeNumber(key, "V", 5); }, 5, true},
        {"number 0", [&](RegStore &r) { r.writeNumber(key, "V", 0); }, 0, false},
        {"negative number", [&](RegStore &r) { r.writeNumber(key, "V", -3); }, -3, true},
        {"text 15", [&](RegStore &r) { r.writeString(key, "V", "15"); }, 15, true},
        {"text -4", [&](RegStore &r) { r.writeString(key, "V", "-4"); }, -4, true},
        {"text 0", [&](RegStore &r) { r.writeString(key, "V", "0"); }, 0, false},
        {"text abc", [&](RegStore &r) { r.writeString(key, "V", "abc"); }, 7, false},
        {"text 12abc", [&](RegStore &r) { r.writeString(key, "V", "12abc"); }, 7, false},
        {"text too big", [&](RegStore &r) { r.writeString(key, "V", "99999999999"); }, 7, false},
        {"empty text", [&](RegStore &r) { r.writeString(key, "V", ""); }, 7, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        RegStore store;
        c.store(store);
        T_IniFile ini(store);
        EXPECT_EQ(ini.ReadInteger("Options", "V", 7), c.integer);
        EXPECT_EQ(ini.ReadBool("Options", "V", false), c.flag);
    }
}

TEST(IniFile, WritesKeepTheKindOfTextIntegers)
{
    RegStore store;
    T_IniFile ini(store);
    EXPECT_TRUE(store.keyExists(kRoot));
    store.writeString(keyOf("Options"), "ShiftCount", "15");
    ini.WriteInteger("Options", "ShiftCount", 20);
    ini.WriteInteger("Options", "FileHistMax", 10);
    ini.WriteBool("Options", "Backup", true);

    const RegValue text = store.readValue(keyOf("Options"), "ShiftCount").value();
    EXPECT_EQ(text.kind, RegValue::String);
    EXPECT_EQ(text.text, "20");
    const RegValue number = store.readValue(keyOf("Options"), "FileHistMax").value();
    EXPECT_EQ(number.kind, RegValue::Number);
    EXPECT_EQ(number.number, 10);
    EXPECT_EQ(store.readValue(keyOf("Options"), "Backup").value().text, "1");
    EXPECT_EQ(ini.ReadString("Options", "FileHistMax", "x"), "10");
    EXPECT_EQ(ini.ReadString("Options", "Missing", "x"), "x");
}

TEST(IniFile, ListSectionReadsWhatIsStoredInEnumerationOrder)
{
    RegStore store;
    const QString key = keyOf("FileHistory");
    store.writeString(key, "7", "seventh");
    store.writeString(key, "1", "first");
    store.writeString(key, "2", ""); // an empty value does not survive
    store.writeString(key, "3", QString(300, 'a'));
    store.writeString(key, "10", QString(300, 'b'));
    store.writeNumber(key, "11", 42);
    T_IniFile ini(store);
    QStringList list{"stale"};
    ini.ReadListSection("FileHistory", list);
    ASSERT_EQ(list.size(), 5);
    EXPECT_EQ(list[0], "seventh");
    EXPECT_EQ(list[1], "first");
    EXPECT_EQ(list[2], QString(253, 'a'));
    EXPECT_EQ(list[3], QString(252, 'b'));
    EXPECT_EQ(list[4], "42");

    ini.ReadListSection("Missing", list);
    EXPECT_TRUE(list.isEmpty());
}

TEST(IniFile, WriteListSectionReplacesTheWholeSection)
{
    RegStore store;
    T_IniFile ini(store);
    ini.WriteListSection("Commands", {"a", "b", "c", "d"});
    store.writeString(keyOf("Commands"), "extra", "x");
    ini.WriteListSection("Commands", {"one", "", "three"});
    EXPECT_EQ(store.valueNames(keyOf("Commands")), QStringList({"1", "2", "3"}));
    EXPECT_EQ(store.readValue(keyOf("Commands"), "2").value().text, "");
    QStringList back;
    ini.ReadListSection("Commands", back);
    EXPECT_EQ(back, QStringList({"one", "three"}));

    ini.WriteListSection("Commands", {});
    EXPECT_TRUE(ini.SectionExists("Commands"));
    EXPECT_TRUE(store.valueNames(keyOf("Commands")).isEmpty());
}

TEST(Settings, FirstStartReadsDefaultsAndWritesAllButGeometryAndFindHistories)
{
    RegStore store;
    T_IniFile ini(store);
    Settings s;
    readSettings(ini, s);
    EXPECT_EQ(s, Settings());
    EXPECT_EQ(s.FileFilter, kDefaultFileFilter);
    EXPECT_EQ(s.ShellCmds, defaultShells());
    EXPECT_TRUE(s.Backup);
    EXPECT_FALSE(s.FindHistSave);
    EXPECT_EQ(s.WinListMax, 20);
    EXPECT_EQ(s.ShellIndex, 1);
    EXPECT_EQ(s.FontName, "Courier New");
    EXPECT_EQ(s.FontSize, 13);

    writeSettings(ini, s);
    EXPECT_EQ(store.subkeyNames(kRoot),
              QStringList({"Options", "Font", "FileFilter", "FileHistory", "Commands", "ShellCmds"}));
    EXPECT_EQ(store.valueNames(keyOf("Options")),
              QStringList({"Backup", "ToolBar", "StatusBar", "Tabs", "TabsSort", "Hints", "Path",
                           "GrayReadOnly", "InitialWin", "ROifModified", "WinList", "WinListSort",
                           "FileHist", "FileHistSort", "FileHistSave", "FindHistSave", "SavePosition",
                           "SaveExec", "ConfirmSave", "FindWord", "NewWindowsUtf8", "AutoReload", "ShiftCount", "FileHistMax",
                           "WinListMax", "ShellIndex", "InsCharBase",
                           // the choices beyond the design, after the designed options
                           "KeepLineBreaks", "ReopenSession", "RegularExpression", "LineNumbers"}));
    EXPECT_EQ(store.valueNames(keyOf("Font")), QStringList({"Name", "Size", "Color", "Bold", "Italic"}));
    EXPECT_EQ(store.valueNames(keyOf("FileFilter")).size(), 7);
}

TEST(Settings, EverySettingSurvivesARestart)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Qvo/Verno.reg");
    const Settings changed = changedSettings();
    ASSERT_NE(changed, Settings());
    ASSERT_EQ(saveSettingsFile(path, changed), QString());
    Settings back;
    EXPECT_EQ(loadSettingsFile(path, back), QString());
    EXPECT_EQ(back, changed);
    EXPECT_EQ(back.FontColor, int(0x80000008));
    EXPECT_TRUE(readBytes(path).contains("\"Color\"=dword:80000008\n"));
}

TEST(Settings, IntegerStoredAsTextIsWrittenBackAsText)
{
    RegStore store;
    store.writeString(keyOf("Options"), "ShiftCount", "15");
    T_IniFile ini(store);
    Settings s;
    readSettings(ini, s);
    EXPECT_EQ(s.ShiftCount, 15);
    s.ShiftCount = 4;
    writeSettings(ini, s);
    const RegValue v = store.readValue(keyOf("Options"), "ShiftCount").value();
    EXPECT_EQ(v.kind, RegValue::String);
    EXPECT_EQ(v.text, "4");
    EXPECT_EQ(store.readValue(keyOf("Options"), "WinListMax").value().kind, RegValue::Number);
}

TEST(Settings, SaveOptionsDecideWhichSectionsOutliveTheRun)
{
    RegStore store;
    T_IniFile ini(store);
    Settings first = changedSettings(); // saves position and all histories
    store.writeString(keyOf("Position"), "Top", "1");
    writeSettings(ini, first);
    EXPECT_FALSE(ini.SectionExists("Position"));
    for (const char *section : {"MainWindow", "CommandDialog", "ChildList", "FileHistory",
                                "FindHistory", "ReplaceHistory"})
        EXPECT_TRUE(ini.SectionExists(section)) << section;

    Settings second = first;
    second.SavePosition = false;
    second.FileHistSave = false;
    second.FindHistSave = false;
    second.MainTop = 999;
    second.ChildListWidth = 999;
    writeSettings(ini, second);
    for (const char *section : {"FileHistory", "FindHistory", "ReplaceHistory"})
        EXPECT_FALSE(ini.SectionExists(section)) << section;

    Settings next;
    readSettings(ini, next);
    EXPECT_TRUE(next.FileHistory.isEmpty());
    EXPECT_TRUE(next.FindHistory.isEmpty());
    EXPECT_TRUE(next.ReplaceHistory.isEmpty());
    // The geometry of the run that saved it.
    EXPECT_EQ(next.MainTop, first.MainTop);
    EXPECT_EQ(next.MainLeft, first.MainLeft);
    EXPECT_EQ(next.ChildListWidth, first.ChildListWidth);
    EXPECT_EQ(next.CommandHeight, first.CommandHeight);
}

TEST(Settings, MissingGeometryAndFontKeepTheCurrentValues)
{
    RegStore store;
    store.writeNumber(keyOf("MainWindow"), "Width", 640);
    store.writeString(keyOf("Font"), "Bold", "1");
    T_IniFile ini(store);
    Settings s;
    s.MainTop = 5;
    s.MainWidth = 100;
    s.FontName = "Monospace";
    readSettings(ini, s);
    EXPECT_EQ(s.MainTop, 5);
    EXPECT_EQ(s.MainWidth, 640);
    EXPECT_EQ(s.FontName, "Monospace");
    EXPECT_TRUE(s.FontBold);
    // Dialogs never opened are stored at their designed sizes.
    s.SavePosition = true;
    writeSettings(ini, s);
    EXPECT_EQ(store.readValue(keyOf("CommandDialog"), "Width")->number, kCommandDialogWidth);
    EXPECT_EQ(store.readValue(keyOf("ChildList"), "Height")->number, kChildListHeight);
}

TEST(Settings, ListsWithoutEntriesFallBackToTheirDefaults)
{
    RegStore store;
    store.writeString(keyOf("FileFilter"), "1", "");
    store.writeString(keyOf("ShellCmds"), "1", "");
    store.writeString(keyOf("Commands"), "1", "");
    store.writeString(keyOf("Commands"), "2", "make");
    T_IniFile ini(store);
    Settings s;
    s.ShellCmds.clear();
    readSettings(ini, s);
    EXPECT_EQ(s.FileFilter, kDefaultFileFilter);
    EXPECT_EQ(s.ShellCmds, defaultShells());
    EXPECT_EQ(s.Commands, QStringList{"make"});
}

TEST(Settings, FilterEntryWithoutPatternComesBackWithBar)
{
    RegStore store;
    T_IniFile ini(store);
    Settings s;
    s.FileFilter = "Text (*.txt)|*.txt|Everything";
    writeSettings(ini, s);
    EXPECT_EQ(store.readValue(keyOf("FileFilter"), "2").value().text, "Everything|");
    Settings back;
    readSettings(ini, back);
    EXPECT_EQ(back.FileFilter, "Text (*.txt)|*.txt|Everything|");
}

TEST(SettingsFile, ValuesThisProgramDoesNotKnowSurviveASave)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Verno.reg");
    writeBytes(path, "[Software\\Other]\n\"Keep\"=\"me\"\n\n"
                     "[Software\\Qvo\\Verno\\Options]\n\"Future\"=dword:00000007\n\"Backup\"=\"0\"\n\n"
                     "[Software\\Qvo\\Verno\\Plugins\\Spell]\n\"Lang\"=\"en\"\n");
    Settings s;
    ASSERT_EQ(saveSettingsFile(path, s), QString());
    RegStore store;
    store.load(path);
    EXPECT_EQ(store.readValue("Software\\Other", "Keep").value().text, "me");
    EXPECT_EQ(store.readValue(keyOf("Options"), "Future").value().number, 7);
    EXPECT_EQ(store.readValue(keyOf("Options"), "Backup").value().text, "1");
    EXPECT_EQ(store.valueNames(keyOf("Options")).first(), "Future");
    EXPECT_EQ(store.readValue(keyOf("Plugins\\Spell"), "Lang").value().text, "en");
}

TEST(SettingsFile, ListsOfAHundredThousandEntriesTakeWorkInProportion)
{
    constexpr int n = 100000;
    QByteArray file = "[Software\\Qvo\\Verno\\FileHistory]\n";
    for (int i = 1; i <= n; ++i)
        file += '"' + QByteArray::number(i) + "\"=\"/home/u/file" + QByteArray::number(i) + ".txt\"\n";
    RegStore store;
    ASSERT_EQ(store.parse(file), 0);
    T_IniFile ini(store);
    Settings s;
    readSettings(ini, s);
    ASSERT_EQ(s.FileHistory.size(), n);
    EXPECT_EQ(s.FileHistory.last(), "/home/u/file100000.txt");
    s.FindHistSave = true;
    s.FindHistory = s.FileHistory;
    writeSettings(ini, s);
    Settings back;
    ASSERT_EQ(store.parse(store.serialize()), 0);
    readSettings(ini, back);
    EXPECT_EQ(back.FindHistory, s.FileHistory);
    // A name looked up by comparing it with every stored one would take some
    // n * n / 2 comparisons here.
    EXPECT_LT(store.nameComparisons(), 20u * n);
}

TEST(SettingsFile, DamagedFileKeepsGoodValuesAndDefaultsTheRest)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Verno.reg");
    const char damaged[] = "[Software\\Qvo\\Verno\\Options]\n"
                           "\"Backup\"=\"0\"\n"
                           "\"ShiftCount\"=dword:0000zz05\n"
                           "\x7f\x45\x4c\x46\x02\x01\x01\x00\x00\xff\xfe\n"
                           "\"WinListMax\"=dword:00000005\n"
                           "\"Hints\"=\"yes\"\n"
                           "[Software\\Qvo\\Verno\\Font]\n"
                           "\"Name\"=\"Monosp";
    writeBytes(path, QByteArray(damaged, sizeof damaged - 1));
    Settings s;
    const QString warning = loadSettingsFile(path, s);
    EXPECT_EQ(warning, QString("verno: settings file %1: 3 unreadable lines skipped").arg(path));
    EXPECT_FALSE(s.Backup);
    EXPECT_EQ(s.WinListMax, 5);
    EXPECT_EQ(s.ShiftCount, 2);
    EXPECT_TRUE(s.Hints);
    EXPECT_EQ(s.FontName, "Courier New");
}

TEST(SettingsFile, FileThatCannotBeReadIsNotOverwritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Verno.reg");
    QDir(dir.path()).mkpath("Verno.reg/inside");
    Settings s;
    EXPECT_FALSE(loadSettingsFile(path, s).isEmpty());
    EXPECT_EQ(s, Settings());
    const QString error = saveSettingsFile(path, s);
    EXPECT_TRUE(error.startsWith("Cannot read file " + path)) << error.toStdString();
    EXPECT_TRUE(QDir(dir.filePath("Verno.reg/inside")).exists());

    const QString blocked = dir.filePath("Verno.reg/inside/Qvo/Verno.reg");
    writeBytes(dir.filePath("Verno.reg/inside/Qvo"), "a file, not a folder");
    EXPECT_TRUE(saveSettingsFile(blocked, s).startsWith("Cannot create folder"));
}
