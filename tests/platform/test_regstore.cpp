#include "platform/regstore.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace verno;
using verno::test::readBytes;
using verno::test::writeBytes;

namespace {

const QString kKey = QStringLiteral("Software\\Qvo\\Verno\\Options");

RegStore reloaded(const RegStore &store, const QString &path)
{
    EXPECT_EQ(store.save(path), QString());
    RegStore back;
    EXPECT_TRUE(back.load(path));
    EXPECT_EQ(back.warning(), QString());
    return back;
}

} // namespace

TEST(RegStore, EveryKindOfValueSurvivesTheFile)
{
    struct Case {
        const char *name;
        RegValue value;
    };
    const Case cases[] = {
        {"Plain", {RegValue::String, "Courier New", 0}},
        {"Empty", {RegValue::String, "", 0}},
        {"Quotes", {RegValue::String, "say \"hi\" \"", 0}},
        {"Backslashes", {RegValue::String, "C:\\dir\\\\x\\", 0}},
        {"EscapeLookalikes", {RegValue::String, "\\n \\r \\\" \\t", 0}},
        {"LineBreaks", {RegValue::String, "one\r\ntwo\nthree\r", 0}},
        {"Unicode", {RegValue::String, QString::fromUtf8("Gr\xC3\xBC\xC3\x9F" "e \xE2\x9C\x93 \xF0\x9F\x98\x80"), 0}},
        {"Spaces", {RegValue::String, "  = padded [x] ; ", 0}},
        {"Zero", {RegValue::Number, {}, 0}},
        {"Two", {RegValue::Number, {}, 2}},
        {"MinusOne", {RegValue::Number, {}, -1}},
        {"Min", {RegValue::Number, {}, std::numeric_limits<qint32>::min()}},
        {"Max", {RegValue::Number, {}, std::numeric_limits<qint32>::max()}},
        {"we\"ird\\ name", {RegValue::String, "v", 0}},
    };
    RegStore store;
    for (const Case &c : cases) {
        if (c.value.kind == RegValue::Number)
            store.writeNumber(kKey, c.name, c.value.number);
        else
            store.writeString(kKey, c.name, c.value.text);
    }
    QTemporaryDir dir;
    const RegStore back = reloaded(store, dir.filePath("Verno.reg"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<RegValue> v = back.readValue(kKey, c.name);
        ASSERT_TRUE(v.has_value());
        EXPECT_EQ(v->kind, c.value.kind);
        if (c.value.kind == RegValue::Number)
            EXPECT_EQ(v->number, c.value.number);
        else
            EXPECT_EQ(v->text, c.value.text);
    }
}

TEST(RegStore, FileIsLineBasedAndReadable)
{
    RegStore store;
    store.writeString(kKey, "Backup", "1");
    store.writeNumber(kKey, "ShiftCount", 2);
    store.writeNumber(kKey, "Color", -2147483643);
    store.writeString(kKey, "Odd", "a\\b\"c\r\nd");
    store.writeString("Software\\Qvo\\Verno\\Commands", "1", "make");
    EXPECT_EQ(store.serialize(),
              "[Software\\Qvo\\Verno\\Commands]\n"
              "\"1\"=\"make\"\n"
              "\n"
              "[Software\\Qvo\\Verno\\Options]\n"
              "\"Backup\"=\"1\"\n"
              "\"ShiftCount\"=dword:00000002\n"
              "\"Color\"=dword:80000005\n"
              "\"Odd\"=\"a\\\\b\\\"c\\r\\nd\"\n");
}

TEST(RegStore, ValuesKeepTheOrderOfFirstWriting)
{
    RegStore store;
    store.writeString(kKey, "c", "1");
    store.writeString(kKey, "a", "2");
    store.writeNumber(kKey, "b", 3);
    store.writeNumber(kKey, "A", 4); // same name, other case: rewritten in place
    store.writeString(kKey, "d", "5");
    const QStringList expected{"c", "a", "b", "d"};
    EXPECT_EQ(store.valueNames(kKey), expected);
    EXPECT_EQ(store.readValue(kKey, "a").value().number, 4);

    QTemporaryDir dir;
    EXPECT_EQ(reloaded(store, dir.filePath("Verno.reg")).valueNames(kKey), expected);
}

TEST(RegStore, KeysAreCaseInsensitivePathsWithSubkeys)
{
    RegStore store;
    EXPECT_TRUE(store.createKey("Software\\Qvo\\Verno\\FileHistory"));
    EXPECT_TRUE(store.keyExists("software\\QVO"));
    EXPECT_TRUE(store.keyExists("\\Software\\qvo\\verno\\filehistory\\"));
    store.writeString("SOFTWARE\\Qvo\\Verno\\Options", "Backup", "1");
    EXPECT_EQ(store.subkeyNames("Software\\Qvo\\Verno"), QStringList({"FileHistory", "Options"}));
    EXPECT_EQ(store.readValue(kKey, "backup").value().text, "1");
    EXPECT_FALSE(store.readValue(kKey, "Missing").has_value());
    EXPECT_FALSE(store.readValue("Software\\Nothing", "Backup").has_value());
    EXPECT_TRUE(store.valueNames("Software\\Nothing").isEmpty());

    EXPECT_TRUE(store.deleteKey("software\\qvo\\VERNO"));
    EXPECT_FALSE(store.keyExists(kKey));
    EXPECT_FALSE(store.keyExists("Software\\Qvo\\Verno"));
    EXPECT_TRUE(store.keyExists("Software\\Qvo"));
    EXPECT_FALSE(store.deleteKey("Software\\Qvo\\Verno"));

    // Paths that cannot be written to the file are refused.
    EXPECT_FALSE(store.createKey(""));
    EXPECT_FALSE(store.writeString("Software\\bad\nkey", "x", "y"));
}

TEST(RegStore, EmptyKeysSurviveTheFile)
{
    RegStore store;
    store.createKey("Software\\Qvo\\Verno\\Commands");
    store.writeString(kKey, "Backup", "1");
    QTemporaryDir dir;
    const RegStore back = reloaded(store, dir.filePath("Verno.reg"));
    EXPECT_TRUE(back.keyExists("Software\\Qvo\\Verno\\Commands"));
    EXPECT_TRUE(back.valueNames("Software\\Qvo\\Verno\\Commands").isEmpty());
}

TEST(RegStore, MissingFileIsAFirstStart)
{
    QTemporaryDir dir;
    RegStore store;
    store.writeString(kKey, "Stale", "x");
    EXPECT_FALSE(store.load(dir.filePath("none/Verno.reg")));
    EXPECT_FALSE(store.keyExists("Software"));
    EXPECT_EQ(store.warning(), QString());
    EXPECT_EQ(store.readError(), QString());
}

TEST(RegStore, DamagedLinesAreSkippedWithOneWarning)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Verno.reg");
    const char damaged[] = "\xEF\xBB\xBF" "\"Orphan\"=\"before any key\"\n"
                           "[Software\\Qvo\\Verno\\Options]\r\n"
                           "\"Backup\"=\"0\"\r\n"
                           "\"Trunc\"=\"abc\n"
                           "\"BadHex\"=dword:0000xyz1\n"
                           "\"TooLong\"=dword:123456789\n"
                           "\x01\xFF\xFE\x00garbage\x80\n"
                           "; a comment\n"
                           "   \"Spaced\" = dword:1F  \n"
                           "\"Escaped\"=\"C:\\temp\"\n"
                           "\"Nul\"=\"a\0b\"\n"
                           "[Software\\Broken\n"
                           "\"Lost\"=\"1\"\n"
                           "[Software\\Qvo\\Verno\\Font]\n"
                           "\"Name\"=\"Mono\"";
    writeBytes(path, QByteArray(damaged, sizeof damaged - 1));
    RegStore store;
    EXPECT_TRUE(store.load(path));
    EXPECT_EQ(store.valueNames(kKey), QStringList({"Backup", "Spaced", "Escaped", "Nul"}));
    EXPECT_EQ(store.readValue(kKey, "Nul").value().text, QString("a") + QChar(0) + "b");
    EXPECT_EQ(store.readValue(kKey, "Backup").value().text, "0");
    EXPECT_EQ(store.readValue(kKey, "Spaced").value().number, 31);
    EXPECT_EQ(store.readValue(kKey, "Escaped").value().text, "C:\\temp");
    EXPECT_EQ(store.readValue("Software\\Qvo\\Verno\\Font", "Name").value().text, "Mono");
    EXPECT_EQ(store.warning(), QString("verno: settings file %1: 7 unreadable lines skipped").arg(path));
    EXPECT_FALSE(store.warning().contains('\n'));
    EXPECT_EQ(store.readError(), QString());
}

// Whatever the bytes, reading ends, and what was read is written back in a form
// that reads again without loss.
TEST(RegStore, RandomBytesNeverBreakTheReader)
{
    const char structural[] = "[]\"\\=\n\r;dword:0123456789abcdefxyz ";
    std::mt19937 rng(20240601);
    for (int round = 0; round < 300; ++round) {
        QByteArray junk;
        const int size = int(rng() % 3000);
        for (int i = 0; i < size; ++i)
            junk += rng() % 2 ? char(rng() % 256) : structural[rng() % (sizeof structural - 1)];
        if (round % 3 == 0)
            junk.prepend("[Software\\Qvo]\n");
        RegStore store;
        store.parse(junk);
        const QByteArray text = store.serialize();
        RegStore again;
        EXPECT_EQ(again.parse(text), 0) << "round " << round;
        EXPECT_EQ(again.serialize(), text) << "round " << round;
    }
}

TEST(RegStore, SaveCreatesTheFolderAndReplacesTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("config/Qvo/Verno.reg");
    RegStore store;
    store.writeString(kKey, "Backup", "1");
    ASSERT_EQ(store.save(path), QString());
    store.writeString(kKey, "Backup", "0");
    ASSERT_EQ(store.save(path), QString());
    RegStore back;
    ASSERT_TRUE(back.load(path));
    EXPECT_EQ(back.readValue(kKey, "Backup").value().text, "0");
    EXPECT_EQ(QDir(dir.filePath("config/Qvo")).entryList(QDir::Files), QStringList{"Verno.reg"});
}

TEST(RegStore, FailedSaveReportsAndKeepsTheOldFile)
{
    const QByteArray old = "[Software\\Qvo\\Verno\\Options]\n\"Backup\"=\"1\"\n";
    RegStore store;
    store.writeString(kKey, "Big", QString(4000, 'x'));

    struct Case {
        const char *name;
        QString prefix;                              // of the expected error text
        std::function<QString(const QString &)> setUp; // gives the path to save to
        rlim_t sizeLimit = RLIM_INFINITY;
    };
    const std::vector<Case> cases = {
        {"folder is a file", "Cannot create folder",
         [](const QString &d) {
             writeBytes(d + "/Qvo", "not a folder");
             return d + "/Qvo/Verno.reg";
         }},
        {"path is a folder", "Cannot",
         [](const QString &d) {
             QDir(d).mkpath("Qvo/Verno.reg/inside");
             return d + "/Qvo/Verno.reg";
         }},
        {"disk refuses the write", "Cannot write file",
         [&](const QString &d) {
             writeBytes(d + "/Verno.reg", old);
             return d + "/Verno.reg";
         },
         100},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = c.setUp(dir.path());
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QString error;
        {
            verno::test::FileSizeLimit limit(c.sizeLimit);
            error = store.save(path);
        }
        EXPECT_TRUE(error.startsWith(c.prefix)) << error.toStdString();
        EXPECT_TRUE(error.contains(dir.path())) << error.toStdString();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        if (QFileInfo(path).isFile()) {
            EXPECT_EQ(readBytes(path), old);
        }
    }
}

TEST(RegStore, ReadOnlyFolderRefusesTheSave)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop root";
    QTemporaryDir dir;
    const QString path = dir.filePath("Verno.reg");
    const QByteArray old = "[Software\\Qvo]\n";
    writeBytes(path, old);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    RegStore store;
    store.writeString(kKey, "Backup", "1");
    const QString error = store.save(path);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(error, QString("Cannot create file %1: Permission denied").arg(path));
    EXPECT_EQ(readBytes(path), old);
}

TEST(RegStore, UnreadableFileIsReportedNotTakenAsMissing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Verno.reg");
    QDir(dir.path()).mkdir("Verno.reg"); // unreadable as a file, even for root
    RegStore store;
    EXPECT_TRUE(store.load(path));
    EXPECT_TRUE(store.readError().startsWith("Cannot read file " + path)) << store.readError().toStdString();
    EXPECT_TRUE(store.warning().startsWith("verno: settings file " + path)) << store.warning().toStdString();
    EXPECT_FALSE(store.keyExists("Software"));

    // A pipe would block a plain read forever.
    const QString pipe = dir.filePath("pipe.reg");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_TRUE(store.load(pipe));
    EXPECT_EQ(store.readError(), "Cannot read file " + pipe + ": Not a regular file");
}

TEST(RegStore, DefaultPathFollowsXdgConfigHome)
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    const bool had = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/tmp/cfg");
    EXPECT_EQ(RegStore::defaultPath(), "/tmp/cfg/Qvo/Verno.reg");
    qputenv("XDG_CONFIG_HOME", "");
    EXPECT_EQ(RegStore::defaultPath(), QDir::homePath() + "/.config/Qvo/Verno.reg");
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(RegStore::defaultPath(), QDir::homePath() + "/.config/Qvo/Verno.reg");
    if (had)
        qputenv("XDG_CONFIG_HOME", saved);
}
