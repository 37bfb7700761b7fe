#include "search/histlist.h"
#include "search/searchoptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace verno;

namespace {

using List = std::vector<std::string>;

T_HistList filled(int capacity, int count)
{
    T_HistList h(capacity);
    for (int i = 0; i < count; ++i)
        h.Add("t" + std::to_string(i));
    return h;
}

} // namespace

TEST(HistList, NewTextsGoToTheFrontAndTheOldestFallsOff)
{
    T_HistList h = filled(20, 21);
    ASSERT_EQ(h.Entries.size(), 20u);
    EXPECT_EQ(h.Entries.front(), "t20");
    EXPECT_EQ(h.Entries.back(), "t1");
    EXPECT_EQ(h.Add("t0"), -1);
    EXPECT_EQ(h.Entries.size(), 20u);
    EXPECT_EQ(h.Entries.back(), "t2");
}

TEST(HistList, KnownTextMovesToFrontWithItsStoredSpelling)
{
    T_HistList h(20);
    h.Add("Alpha");
    h.Add("beta");
    h.Add("gamma");
    EXPECT_EQ(h.Add("ALPHA"), 2);
    EXPECT_EQ(h.Entries, (List{"Alpha", "gamma", "beta"}));
    EXPECT_EQ(h.Add("alpha"), 0);
    EXPECT_EQ(h.Entries, (List{"Alpha", "gamma", "beta"}));
    // Texts are characters in UTF-8: letters of every script match in either case.
    EXPECT_EQ(h.Add("\xC3\x89T\xC3\x89"), -1); // ÉTÉ
    EXPECT_EQ(h.Add("\xC3\xA9t\xC3\xA9"), 0);  // été
    EXPECT_EQ(h.Add("\xD0\x96"), -1);            // Ж
    EXPECT_EQ(h.Add("\xD0\xB6"), 0);             // ж
    EXPECT_EQ(h.Entries.size(), 5u);
}

TEST(HistList, MovingWithinAFullListRemovesNothing)
{
    T_HistList h = filled(20, 20);
    EXPECT_EQ(h.Add("t14"), 5);
    ASSERT_EQ(h.Entries.size(), 20u);
    EXPECT_EQ(h.Entries[0], "t14");
    EXPECT_EQ(h.Entries[5], "t15");
    EXPECT_EQ(h.Entries.back(), "t0");
}

TEST(HistList, EmptyTextAndNonPositiveCapacityAddNothing)
{
    T_HistList h = filled(3, 2);
    EXPECT_EQ(h.Add(""), 0);
    EXPECT_EQ(h.Entries, (List{"t1", "t0"}));
    for (int cap : {0, -4}) {
        T_HistList none(cap);
        EXPECT_EQ(none.Add("x"), -1);
        EXPECT_TRUE(none.Entries.empty());
    }
    T_HistList one = filled(1, 3);
    EXPECT_EQ(one.Entries, (List{"t2"}));
    one.Clear();
    EXPECT_TRUE(one.Entries.empty());
}

TEST(HistList, LoadedOverlongListIsTrimmedOnlyByTheNextNewText)
{
    T_HistList h(20);
    for (int i = 0; i < 30; ++i)
        h.Entries.push_back("s" + std::to_string(i));
    h.Add("s7"); // known: moves, trims nothing
    EXPECT_EQ(h.Entries.size(), 30u);
    EXPECT_EQ(h.Add("new"), -1);
    ASSERT_EQ(h.Entries.size(), 20u);
    EXPECT_EQ(h.Entries[0], "new");
    EXPECT_EQ(h.Entries[1], "s7");
    EXPECT_EQ(h.Entries[2], "s0");
    EXPECT_EQ(h.Entries[19], "s18");
}

TEST(SearchOptions, StartsEmptyAndCannotSearchAgain)
{
    T_SearchOptions o;
    EXPECT_EQ(o.FindHistory.Capacity, 20);
    EXPECT_EQ(o.ReplaceHistory.Capacity, 20);
    EXPECT_TRUE(o.FindHistory.Entries.empty());
    EXPECT_TRUE(o.FirstSearch);
    EXPECT_TRUE(o.ReportNotFound);
    EXPECT_EQ(o.LastAction, SearchAction::None);
    EXPECT_FALSE(o.CaseSensitive || o.WholeWords || o.Backward || o.AllOccurrences ||
                 o.PromptOnReplace);
    EXPECT_EQ(o.Origin, T_SearchOptions::kOriginCurrent);

    o.SetFindText("word");
    EXPECT_FALSE(o.CanSearchAgain()); // nothing confirmed yet
    o.LastAction = SearchAction::Replace;
    EXPECT_TRUE(o.CanSearchAgain());
    o.SetFindText("");
    EXPECT_FALSE(o.CanSearchAgain());
}

TEST(SearchOptions, TextsAreCutTo255AndTheCutTextEntersTheHistory)
{
    T_SearchOptions o;
    const std::string longText = std::string(255, 'a') + std::string(45, 'b');
    o.SetFindText(longText);
    o.SetReplaceText(longText);
    EXPECT_EQ(o.FindText, std::string(255, 'a'));
    EXPECT_EQ(o.ReplaceText, std::string(255, 'a'));
    o.FindHistory.Add(o.FindText);
    EXPECT_EQ(o.FindHistory.Entries.front().size(), 255u);
    // Characters, never a part of one: a letter's marks stay with it.
    const std::string zhe = "\xD0\x96", emoji = "\xF0\x9F\x98\x80", acute = "\xCC\x81";
    o.SetFindText(std::string(254, 'a') + zhe + zhe);
    EXPECT_EQ(o.FindText, std::string(254, 'a') + zhe);
    o.SetFindText(std::string(254, 'a') + emoji + "b");
    EXPECT_EQ(o.FindText, std::string(254, 'a') + emoji);
    o.SetReplaceText(std::string(254, 'a') + "e" + acute + "b");
    EXPECT_EQ(o.ReplaceText, std::string(254, 'a') + "e" + acute);
}
