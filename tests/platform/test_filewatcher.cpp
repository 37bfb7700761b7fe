// One watcher for a thousand open files: a change reaches the windows whose
// file it touched, and only them.
#include "platform/filewatcher.h"
#include "testsupport.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <gtest/gtest.h>

using namespace verno;
using verno::test::writeBytes;

TEST(FileWatcher, AThousandFilesEachTellTheirOwnClientOfAChange) {
    constexpr int kFiles = 1000;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    FileWatcher watcher;
    std::vector<int> clients(kFiles);
    QSet<int> told;
    for (int i = 0; i < kFiles; ++i)
        writeBytes(dir.filePath(QStringLiteral("f%1.txt").arg(i)), "x\n");
    for (int i = 0; i < kFiles; ++i) {
        const QString path = dir.filePath(QStringLiteral("f%1.txt").arg(i));
        watcher.watch(&clients[i], path, [&told, i] { told.insert(i); });
    }
    const auto waitFor = [&](const QSet<int> &expected) {
        return QTest::qWaitFor([&] { return told.contains(expected) && !watcher.pending(); },
                               20000);
    };

    // Written in place: the folder does not change, so only the file's own client hears.
    for (int i : {0, 499, 999}) {
        QFile f(dir.filePath(QStringLiteral("f%1.txt").arg(i)));
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("more\n");
    }
    EXPECT_TRUE(waitFor({0, 499, 999}));
    QTest::qWait(200);
    EXPECT_EQ(told, (QSet<int>{0, 499, 999}));

    // Replaced by rename, then written again in place: the new file is watched.
    told.clear();
    const QString path = dir.filePath(QStringLiteral("f7.txt"));
    writeBytes(path + QStringLiteral(".new"), "new\n");
    ASSERT_EQ(std::rename(QFile::encodeName(path + QStringLiteral(".new")).constData(),
                          QFile::encodeName(path).constData()),
              0);
    EXPECT_TRUE(waitFor({7}));
    told.clear();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("again\n");
    f.close();
    EXPECT_TRUE(waitFor({7}));

    // Unwatched clients hear nothing more.
    for (int &c : clients)
        watcher.unwatch(&c);
    told.clear();
    writeBytes(dir.filePath(QStringLiteral("f1.txt")), "gone\n");
    QTest::qWait(300);
    EXPECT_TRUE(told.isEmpty());
}
