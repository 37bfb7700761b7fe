#include "util/filebreaks.h"
#include "util/linebreaks.h"

#include <gtest/gtest.h>

using namespace verno;

TEST(LineBreaks, DetectedAndWrittenBack)
{
    const struct {
        const char *bytes;
        LineBreaks breaks;
    } files[] = {
        {"", LineBreaks::CrLf},       {"no break", LineBreaks::CrLf}, {"a\r\nb\r\n", LineBreaks::CrLf},
        {"a\nb\n", LineBreaks::Lf},    {"a\rb", LineBreaks::Cr},       {"a\r\nb\nc", LineBreaks::CrLf},
        {"a\nb\rc", LineBreaks::CrLf},
    };
    for (const auto &f : files) {
        EXPECT_EQ(detectLineBreaks(f.bytes), f.breaks) << f.bytes;
        // The line index's scan counts the same breaks.
        const std::string_view b = f.bytes;
        const BreakScan scan(b.data(), b.size(), 4, 2);
        EXPECT_EQ(lineBreaksOf(scan.breaks(), scan.extra(), scan.loneCr()), f.breaks) << f.bytes;
    }

    // A break split between two pieces, a break at each end, none at all.
    const std::vector<std::string_view> pieces = {"\r\na\r", "\nb\r\n", "", "c"};
    EXPECT_EQ(withLineBreaks(pieces, LineBreaks::CrLf), "\r\na\r\nb\r\nc");
    EXPECT_EQ(withLineBreaks(pieces, LineBreaks::Lf), "\na\nb\nc");
    EXPECT_EQ(withLineBreaks(pieces, LineBreaks::Cr), "\ra\rb\rc");
}
