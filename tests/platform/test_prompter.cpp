#include "platform/filefilter.h"
#include "platform/prompter.h"

#include <gtest/gtest.h>

using namespace verno;

TEST(Prompter, DefaultAndEscapeAnswersFollowTheConventions)
{
    EXPECT_EQ(defaultAnswer(BtnYes | BtnNo | BtnCancel), Answer::Yes);
    EXPECT_EQ(defaultAnswer(BtnOk | BtnCancel), Answer::Ok);
    EXPECT_EQ(escapeAnswer(BtnYes | BtnNo | BtnCancel | BtnAll), Answer::Cancel);
    EXPECT_EQ(escapeAnswer(BtnYes | BtnNo), Answer::No);
    EXPECT_EQ(escapeAnswer(BtnOk), Answer::Ok);
}

TEST(Prompter, ReportPeriodOnlyAfterCharactersSortingAfterPeriod)
{
    EXPECT_EQ(withReportPeriod("Cannot open file x"), "Cannot open file x.");
    EXPECT_EQ(withReportPeriod("Really?"), "Really?.");
    EXPECT_EQ(withReportPeriod("Done."), "Done.");
    EXPECT_EQ(withReportPeriod("Stop!"), "Stop!");
    EXPECT_EQ(withReportPeriod("a,"), "a,");
    EXPECT_EQ(withReportPeriod("9"), "9.");
    EXPECT_EQ(withReportPeriod(""), "");
}

TEST(FileFilter, PairsBecomeQtFiltersWithRealPatterns)
{
    const QStringList f = qtNameFilters("Text (*.txt)|*.txt|Pascal,Delphi (*.pas;*.dpr)|*.pas;*.dpr|All files (*.*)|*.*");
    ASSERT_EQ(f.size(), 3);
    EXPECT_EQ(f[0], "Text (*.txt)");
    EXPECT_EQ(f[1], "Pascal,Delphi (*.pas *.dpr)");
    EXPECT_EQ(f[2], "All files (*)");
    EXPECT_EQ(qtNameFilters("Odd|").size(), 1);
}
