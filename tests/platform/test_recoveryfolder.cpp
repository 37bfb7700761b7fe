// Recovery copies on disk: written whole, read back exactly, offered only
// when the program that wrote them has ended, and never to two programs.
#include "platform/recoveryfolder.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace verno;
using verno::test::readBytes;
using verno::test::writeBytes;

namespace {

QStringList folders(const QString &root)
{
    return QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
}

TEST(RecoveryFolder, AnEndedProgramsTextsAreOfferedExactlyAndARunningOnesAreNot)
{
    QTemporaryDir root;
    const std::string text("line\r\n\0\xff\x80 end", 14);
    const QString name = QString::fromUtf8("/tmp/a b\n\xc3\xbc.txt"); // a break in a name is kept
    const DiskStamp disk{true, 7, 8, 9, 1234567890123LL};
    QString error;
    QString damaged;
    {
        RecoveryFolder ended(root.path());
        RecoveryRecord named;
        named.path = name;
        named.caret = 3;
        named.disk = disk;
        ASSERT_TRUE(ended.write(1, named, {std::string_view(text)}, error)) << error.toStdString();
        RecoveryRecord untitled;
        untitled.untitled = 2;
        ASSERT_TRUE(ended.write(2, untitled, {"un", "titled"}, error));
        ASSERT_TRUE(ended.write(2, untitled, {"again"}, error)); // replaces the first
        ASSERT_TRUE(ended.write(3, untitled, {"cut"}, error));
        damaged = ended.path() + QStringLiteral("/3.rec");
        writeBytes(damaged, readBytes(damaged).chopped(1)); // not whole: not offered
        writeBytes(ended.path() + QStringLiteral("/.rec-Xy12Zq"), "a write cut short");
    }
    RecoveryFolder running(root.path());
    ASSERT_TRUE(running.write(1, RecoveryRecord{}, {"live"}, error));
    {
        RecoveryOrphans orphans(root.path());
        ASSERT_EQ(orphans.records().size(), 2u);
        const RecoveryRecord named = orphans.records()[0];
        const RecoveryRecord untitled = orphans.records()[1];
        EXPECT_EQ(named.path, name);
        EXPECT_EQ(named.caret, 3);
        EXPECT_EQ(named.disk, disk);
        std::string back;
        ASSERT_TRUE(RecoveryOrphans::readText(named, back));
        EXPECT_EQ(back, text);
        EXPECT_EQ(untitled.path, QString());
        EXPECT_EQ(untitled.untitled, 2);
        ASSERT_TRUE(RecoveryOrphans::readText(untitled, back));
        EXPECT_EQ(back, "again");
        // Held while they are offered: a program starting now finds none.
        EXPECT_TRUE(RecoveryOrphans(root.path()).records().empty());
        orphans.discard(named);
        orphans.discard(untitled);
    }
    // Only the damaged file is left of the ended program; the running one keeps its own.
    EXPECT_TRUE(QFile::exists(damaged));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(damaged).path() + QStringLiteral("/.rec-Xy12Zq")));
    EXPECT_TRUE(RecoveryOrphans(root.path()).records().empty());
    EXPECT_EQ(folders(root.path()).size(), 2);
    running.removeAll();
    EXPECT_EQ(folders(root.path()), QStringList{QFileInfo(damaged).dir().dirName()});
}

} // namespace
