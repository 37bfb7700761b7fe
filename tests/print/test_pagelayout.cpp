// The print job's page layout against a recording printer.
#include "editor/qteditcontrol.h"
#include "print/pagelayout.h"
#include "recordingdevice.h"

#include <climits>
#include <gtest/gtest.h>

using namespace verno;
using verno::test::RecordingDevice;
using Ops = std::vector<std::string>;

namespace {

struct LayoutCase {
    const char *name;
    std::string text;
    int selStart, selLength; // selLength 0: the whole text
    int margin, copies, width, height;
    Ops expected;
};

void PrintTo(const LayoutCase &c, std::ostream *os) { *os << c.name; }

const std::string k300 = [] {
    std::string s;
    for (int i = 0; i < 300; ++i)
        s += char('a' + i % 26);
    return s;
}();

const LayoutCase kCases[] = {
    {"selection inside one line: end cut first, then start dropped", "hello world\r\nnext", 2, 5, 4, 1, 1000, 200,
     {"0 0     llo w"}},
    {"selection ending at column 0 prints that line empty", "abc\r\ndef\r\nghi", 1, 4, 4, 1, 1000, 200,
     {"0 0     bc"}},
    {"empty line: no margin, advances by the character height", "a\r\n\r\nb", 0, 0, 4, 1, 1000, 200,
     {"0 0     a", "0 40     b"}},
    {"line of 300 characters: 255 printed, wrapped at the page width", k300, 0, 0, 4, 1, 1000, 200,
     {"0 0     " + k300.substr(0, 96), "0 22 " + k300.substr(96, 100), "0 44 " + k300.substr(196, 59)}},
    {"two copies: the second from the top of a new page", "ab", 0, 0, 4, 2, 1000, 200,
     {"0 0     ab", "page", "0 0     ab"}},
    {"form feed starts a new page", "ab\fcd", 0, 0, 4, 1, 1000, 200, {"0 0     ab", "page", "0 0 cd"}},
    {"tab at x = 0 goes to T", "\tx", 0, 0, 0, 1, 1000, 200, {"80 0 x"}},
    {"tab at x = T - 1 goes to 2T", "aaaaaaai\tx", 0, 0, 0, 1, 1000, 200, {"0 0 aaaaaaai", "160 0 x"}},
    {"tab past the page width: new line", "aaaaaaaaa\tx", 0, 0, 0, 1, 100, 200, {"0 0 aaaaaaaaa", "0 22 x"}},
    {"page full: the next line on a new page, no empty page at the end", "a\r\nb\r\nc\r\nd\r\ne\r\nf", 0, 0, 0,
     1, 1000, 100, {"0 0 a", "0 22 b", "0 44 c", "page", "0 0 d", "0 22 e", "0 44 f"}},
    {"character wider than the page stands alone", "ab", 0, 0, 0, 1, 5, 200, {"0 0 a", "0 22 b"}},
};

class PageLayoutCases : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PageLayoutCases, Draws)
{
    const LayoutCase &c = GetParam();
    auto memo = makeBufferEditControl();
    memo->SetWholeText(c.text);
    PrintRange range = wholeTextRange(*memo);
    if (c.selLength > 0) {
        memo->SetCaret(c.selStart);
        memo->SetSelectionLength(c.selLength);
        range = selectionRange(*memo, 1);
    }
    range.Copies = c.copies;
    RecordingDevice device;
    device.width = c.width;
    device.height = c.height;
    PrintFont font;
    font.name = "Courier New";
    font.pointSize = 13;
    printRange(device, *memo, range, c.margin, font);
    ASSERT_GE(device.ops.size(), 3u);
    EXPECT_EQ(device.ops.front(), "start");
    EXPECT_EQ(device.ops[1], "font Courier New 13");
    EXPECT_EQ(device.ops.back(), "end");
    EXPECT_EQ(device.body(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(All, PageLayoutCases, ::testing::ValuesIn(kCases),
                         [](const auto &info) { return "Case" + std::to_string(info.index); });

TEST(PrintJob, FailureEndsTheStartedDocumentAndIsThrownOn)
{
    auto memo = makeBufferEditControl();
    memo->SetWholeText("text");
    for (const std::string failOn : {"start", "draw"}) {
        RecordingDevice device;
        device.failOn = failOn;
        EXPECT_THROW(printRange(device, *memo, wholeTextRange(*memo), 4, PrintFont()), PrintError);
        const Ops expected = failOn == "start" ? Ops{} : Ops{"start", "font  10", "end"};
        EXPECT_EQ(device.ops, expected) << failOn;
    }
}

// A UTF-8 line is cut to 255 characters and wrapped between characters,
// and the byte-order mark that begins a text is not printed.
TEST(PrintJob, Utf8LinesAreCutBetweenCharacters)
{
    const std::string zhe = "\xD0\x96";
    std::string long300;
    for (int i = 0; i < 300; ++i)
        long300 += zhe;
    const PrintRange all{0, 0, 5, INT_MAX, 1};
    EXPECT_EQ(printedLine(long300, 1, all, 0, true), long300.substr(0, 510) + "\r\n");
    EXPECT_EQ(printedLine("\xEF\xBB\xBFmark", 0, all, 2, true), "  mark\r\n");
    const PrintRange selected{0, 2, 0, 6, 1}; // the bytes of the second and third characters
    EXPECT_EQ(printedLine(zhe + zhe + zhe + zhe, 0, selected, 0, true), zhe + zhe + "\r\n");

    auto memo = makeBufferEditControl();
    memo->SetUtf8(true);
    memo->SetWholeText("\xEF\xBB\xBF" + zhe + zhe + zhe + zhe);
    RecordingDevice device;
    device.width = 50; // five bytes: two characters
    printRange(device, *memo, wholeTextRange(*memo), 0, PrintFont());
    EXPECT_EQ(device.body(), (Ops{"0 0 " + zhe + zhe, "0 22 " + zhe + zhe}));
}

} // namespace
