// Breaks found and made CR LF in bulk, against the plain one-byte-at-a-time
// rules, for every way of splitting the text over threads.
#include "util/linebreaks.h"
#include "util/textstore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

using namespace verno;

namespace {

// Lines of a few bytes between breaks of every kind, or breaks only.
std::string randomRaw(std::mt19937 &rng, size_t size, bool dense)
{
    static const char *const breaks[] = {"\r\n", "\n", "\r", "\n\r"};
    std::string s;
    while (s.size() < size) {
        s.append(dense ? 0 : rng() % 60, char('a' + rng() % 26));
        s += breaks[rng() % 4];
    }
    return s;
}

size_t longestLine(const std::string &normal)
{
    size_t longest = 0;
    size_t start = 0;
    for (size_t lf = normal.find('\n'); lf != std::string::npos; lf = normal.find('\n', start)) {
        longest = std::max(longest, lf - 1 - start);
        start = lf + 1;
    }
    return std::max(longest, normal.size() - start);
}

} // namespace

TEST(BreakScan, EverySplitOverThreadsGivesTheSameText)
{
    std::mt19937 rng(5);
    std::vector<std::string> raws = {
        "", "a", "\n", "\r", "\r\n", "\n\r", "a\nb\n", "a\rb\r", "a\r\nb", "\r\r\n\n", "no final break",
        std::string("\0\n\xFF\r", 4), "x\r\n\r\ny\rz\n",
    };
    raws.push_back(randomRaw(rng, 3000, false)); // few lone breaks: parts work side by side
    raws.push_back(randomRaw(rng, 3000, true));  // breaks only: one pass from the end
    for (const std::string &raw : raws) {
        const std::string normal = TextStore::normalizeBreaks(raw);
        for (int parts = 1; parts <= 8; ++parts) {
            for (const size_t chunk : {1, 7, 500}) {
                SCOPED_TRACE(testing::Message() << testing::PrintToString(raw.substr(0, 20)) << " in " << parts
                                                << " parts, chunks of " << chunk);
                const BreakScan scan(raw.data(), raw.size(), chunk, parts);
                ASSERT_EQ(raw.size() + scan.extra(), normal.size());
                EXPECT_EQ(scan.breaks(), size_t(std::count(normal.begin(), normal.end(), '\n')));
                EXPECT_EQ(scan.longest(), longestLine(normal));
                std::string text = raw;
                text.resize(normal.size());
                scan.normalise(text.data());
                ASSERT_EQ(text, normal);
                size_t previous = 0;
                for (size_t k = 0; k < scan.chunkStarts().size(); ++k) {
                    const size_t s = scan.chunkStarts()[k];
                    ASSERT_GT(s, previous);
                    ASSERT_LT(s, normal.size());
                    ASSERT_EQ(normal[s - 1], '\n') << "a chunk starts at a line start";
                    ASSERT_EQ(scan.chunkBreaks()[k], size_t(std::count(normal.begin(), normal.begin() + long(s), '\n')));
                    previous = s;
                }
            }
        }
    }
}

TEST(BreakScan, CountsAndFindsLineFeedsAtEveryOffset)
{
    std::string s(300, 'x');
    for (size_t i = 0; i < s.size(); i += 1 + i % 7)
        s[i] = '\n';
    for (size_t from = 0; from < 40; ++from) {
        for (size_t n = 0; from + n <= s.size(); n += 13) {
            const auto begin = s.begin() + long(from);
            EXPECT_EQ(countLineFeeds(s.data() + from, n), size_t(std::count(begin, begin + long(n), '\n')));
            const auto hit = std::find(begin, begin + long(n), '\n');
            EXPECT_EQ(findLineFeed(s.data() + from, n), hit == begin + long(n) ? nullptr : &*hit);
        }
    }
}

TEST(BreakScan, RunShapeTellsPlainTextAndItsLongestLine)
{
    const std::string pad(40, 'x'); // past one vector of bytes
    const struct {
        std::string run;
        size_t lineFeeds;
        size_t longest;
        bool plain;
    } cases[] = {
        {"", 0, 0, true},
        {"ab\r\ncde\r\n", 2, 4, true},
        {pad + "\r\n~ !\r\nlast", 2, 41, true},
        {pad + "\t\r\n", 1, 42, false},
        {pad + "\x7F", 0, 41, false},
        {pad + "\xE9\r\n" + pad, 1, 42, false},
        {std::string("a\0b", 3) + pad, 0, 43, false},
        {"\r\n\r\n" + pad + "\x01", 2, 41, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.run));
        const RunShape shape = runShape(c.run.data(), c.run.size());
        EXPECT_EQ(shape.lineFeeds, c.lineFeeds);
        EXPECT_EQ(shape.longest, c.longest);
        EXPECT_EQ(shape.plain, c.plain);
    }
}
