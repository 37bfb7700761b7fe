#include "app/frameoptions.h"
#include "frametest.h"

using namespace verno;
using verno::test::FrameTest;
using verno::test::readBytes;

namespace {

// With "Keep each file's line breaks" a file goes back with the breaks it
// came with, and its caption says which when they are not CR LF; without it
// every file is written with CR LF.
TEST_F(FrameTest, FilesKeepTheirLineBreaksOnlyWhenChosen)
{
    const struct {
        const char *bytes;
        bool keep;
        const char *saved;
        const char *suffix;
    } cases[] = {
        {"a\nb\n", false, "xa\r\nb\r\n", ""},
        {"a\nb\n", true, "xa\nb\n", " [LF]"},
        {"a\rb", true, "xa\rb", " [CR]"},
        {"a\r\nb\nc", true, "xa\r\nb\r\nc", ""},
    };
    frame->settings().Path = false;
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.bytes) + (c.keep ? " kept" : ""));
        frame->settings().KeepLineBreaks = c.keep;
        TFileWindow *w = openFile("f.txt", c.bytes);
        EXPECT_EQ(w->windowTitle(), "f.txt" + QString::fromLatin1(c.suffix));
        EXPECT_EQ(w->Memo().LineStart(1), 3) << "the text itself has CR LF breaks";
        w->Memo().SetCaret(0);
        w->Memo().ReplaceSelection("x");
        ASSERT_TRUE(w->Save());
        EXPECT_EQ(readBytes(dir.filePath("f.txt")), c.saved);
        w->close();
    }
    // Turning the choice off in Preferences takes the marks away at once.
    frame->settings().KeepLineBreaks = true;
    TFileWindow *w = openFile("f.txt", "a\nb");
    T_Options off;
    off.KeepLineBreaks = false;
    FrameOptions(*frame).StorePlainOptions(off);
    EXPECT_EQ(w->windowTitle(), "f.txt");
}

} // namespace
