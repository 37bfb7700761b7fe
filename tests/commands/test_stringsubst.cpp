#include "commands/stringsubst.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using verno::T_StringSubst;

namespace {

struct Case {
    const char *file;
    const char *tmpl;
    const char *expected;
};

} // namespace

TEST(StringSubst, ExpandsEveryPlaceholderInOnePass)
{
    const Case cases[] = {
        // Linux path: "/" splits directory and name; no colon for &p and &x.
        {"/home/ann/read.me.txt", "&f|&N|&n|&e|&P|&p|&x", "/home/ann/read.me.txt|read.me.txt|read|me.txt|/home/ann/||/home/ann/read.me.txt:"},
        // Colon and backslash are ordinary name characters; &p and &x still
        // look for the first colon.
        {"/d/notes 10:30.txt", "&P|&N|&n|&e|&p|&x", "/d/|notes 10:30.txt|notes 10:30|txt||/d/notes 10:"},
        {"/d/C:\\Work\\read.me.txt", "&P|&N|&n|&e", "/d/|C:\\Work\\read.me.txt|C:\\Work\\read|me.txt"},
        {"/mnt/c:/w/x.txt", "&P|&p|&x", "/mnt/c:/w/|/w/|/mnt/c:"},
        {"/src/Makefile", "[&n][&e]", "[Makefile][]"},
        {"/home/ann/.profile", "[&n][&e]", "[][profile]"},
        {"/tmp/a.b.c", "[&n][&e]", "[a][b.c]"},
        {"", "[&f][&N][&n][&e][&P][&p][&x]", "[][][][][][][:]"},
        // The scan itself.
        {"/x/y.c", "make all", "make all"},
        {"/x/y.c", "&&f", "&f"},
        {"/x/y.c", "cc &E &F &X", "cc &E &F &X"},
        {"/x/y.c", "end&", "end"},
        {"/x/y.c", "end&&", "end&"},
        // Expansions are never rescanned: an "&" in the name stays.
        {"/x/R&D &f.txt", "<&N>", "<R&D &f.txt>"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.file) + " / " + c.tmpl);
        EXPECT_EQ(T_StringSubst(c.file).Substitute(c.tmpl), c.expected);
    }
}

TEST(StringSubst, RelativeNameIsResolvedAgainstTheWorkingDirectory)
{
    QTemporaryDir dir;
    const QString old = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const T_StringSubst s("sub/../notes.txt");
    QDir::setCurrent(old);
    EXPECT_EQ(s.FullPath(), QDir(dir.path()).canonicalPath().toStdString() + "/notes.txt");
}
