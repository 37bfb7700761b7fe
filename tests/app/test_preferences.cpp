// Preferences: the dialog over a copy of the options, applying on OK only
// what changed, in order; the filter list editor.
#include "app/filterlist.h"
#include "app/filterpage.h"
#include "app/mainwindow.h"
#include "app/maintoolbar.h"
#include "app/options.h"
#include "app/preferencesdialog.h"
#include "app/tabset.h"
#include "platform/helptopic.h"
#include "platform/spinedit.h"
#include "testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace verno;

namespace {

class RecordingTarget : public OptionsTarget {
public:
    QStringList calls;
    void OptBackupClick() override { calls << "Backup"; }
    void OptToolBarClick() override { calls << "ToolBar"; }
    void OptStatusBarClick() override { calls << "StatusBar"; }
    void OptTabsClick() override { calls << "Tabs"; }
    void OptHintsClick() override { calls << "Hints"; }
    void OptPathClick() override { calls << "Path"; }
    void OptROModClick() override { calls << "ROMod"; }
    void SetGrayReadOnly(bool v) override { calls << QStringLiteral("GrayReadOnly %1").arg(v); }
    void SetFileFilter(const QString &f) override { calls << "FileFilter " + f; }
    void StorePlainOptions(const T_Options &o) override { calls << QStringLiteral("Store %1").arg(o.ShiftCount); }
    void SetTabsSort(bool v) override { calls << QStringLiteral("TabsSort %1").arg(v); }
    void SetWinListSort(bool v) override { calls << QStringLiteral("WinListSort %1").arg(v); }
    void SetWinList(bool v) override { calls << QStringLiteral("WinList %1").arg(v); }
    void RenumberWindowList() override { calls << "Renumber"; }
    void SetFileHistSort(bool v) override { calls << QStringLiteral("FileHistSort %1").arg(v); }
    void SetFileHist(bool v) override { calls << QStringLiteral("FileHist %1").arg(v); }
    void ApplyFileHistoryVisibility() override { calls << "FileHistVisibility"; }
};

TEST(ApplyOptions, TogglesWhatChangedInOrderThenSetsTheLists)
{
    const T_Options before;
    T_Options all = before;
    for (bool T_Options::*f : {&T_Options::ROifModified, &T_Options::Path, &T_Options::Hints, &T_Options::Tabs,
                               &T_Options::StatusBar, &T_Options::ToolBar, &T_Options::Backup,
                               &T_Options::GrayReadOnly, &T_Options::TabsSort, &T_Options::WinList})
        all.*f = !(before.*f);
    all.FileFilter = "A|*.a";
    all.ShiftCount = 7;
    T_Options caseOnly = before;
    caseOnly.FileFilter = "a|*.a";
    T_Options caseBefore = before;
    caseBefore.FileFilter = "A|*.a";
    const QStringList tail = {"TabsSort 0", "WinListSort 0", "WinList 1", "Renumber",
                              "FileHistSort 0", "FileHist 1", "FileHistVisibility"};
    const struct {
        T_Options from, to;
        QStringList expected;
    } cases[] = {
        {before, before, QStringList{"Store 2"} + tail},
        {before, all,
         QStringList{"Backup", "ToolBar", "StatusBar", "Tabs", "Hints", "Path", "ROMod", "GrayReadOnly 0",
                     "FileFilter A|*.a", "Store 7", "TabsSort 1", "WinListSort 0", "WinList 0", "Renumber",
                     "FileHistSort 0", "FileHist 1", "FileHistVisibility"}},
        {caseBefore, caseOnly, QStringList{"FileFilter a|*.a", "Store 2"} + tail},
    };
    for (const auto &c : cases) {
        RecordingTarget target;
        applyOptions(c.from, c.to, target);
        EXPECT_EQ(target.calls, c.expected);
    }
}

// The dialog shown without a modal loop, over given options.
class PreferencesDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        options.FileFilter = QStringLiteral("Text (*.txt)|*.txt|C (*.c)|*.c");
        dialog.Options = options;
        dialog.FormShow();
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    template <typename W> W *child(const char *name) { return dialog.findChild<W *>(QString::fromLatin1(name)); }
    QStringList entries() { return dialog.findChild<TFilterPage *>()->entries(); }
    void filtersPage() { child<QTabWidget>("PageControl")->setCurrentIndex(2); }
    void clickEntry(int row)
    {
        auto *list = child<QListWidget>("TxtFilters");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }

    T_Options options;
    TPreferencesDialog dialog;
};

TEST_F(PreferencesDialogTest, BarTurnedOffAndOnAgainRunsNoToggle)
{
    EXPECT_EQ(QApplication::focusWidget(), child<QPushButton>("BtnOk"));
    child<QCheckBox>("ChkToolbar")->click();
    child<QCheckBox>("ChkToolbar")->click();
    dialog.BtnOkClick();
    EXPECT_EQ(dialog.Options, options);
    RecordingTarget target;
    applyOptions(options, dialog.Options, target);
    EXPECT_FALSE(target.calls.contains("ToolBar"));
}

// Enter in a field is OK; on a focused button it presses that button.
TEST_F(PreferencesDialogTest, EnterPressesTheFocusedButtonOrOk)
{
    filtersPage();
    QTest::keyClick(child<QPushButton>("BtnDelete"), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(entries(), QStringList{"C (*.c)|*.c"});
    QTest::keyClick(child<QPushButton>("BtnCancel"), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    dialog.show();
    QTest::keyClick(child<QLineEdit>("TxtDescription"), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(PreferencesDialogTest, F1OpensThePreferencesTopic)
{
    std::vector<int> topics;
    setHelpTopicHandler([&](int topic) { topics.push_back(topic); });
    QTest::keyClick(child<QCheckBox>("ChkBackup"), Qt::Key_F1);
    setHelpTopicHandler({});
    EXPECT_EQ(topics, std::vector<int>{13});
}

TEST_F(PreferencesDialogTest, DisplayBoxesDisableTheirListSettingsWhichStillCount)
{
    child<QCheckBox>("ChkFileHistSort")->setChecked(true);
    child<SpinEdit>("SpinFileHistMax")->setValue(5);
    child<QCheckBox>("ChkFileHist")->click();
    child<QCheckBox>("ChkTabs")->click();
    EXPECT_FALSE(child<QCheckBox>("ChkFileHistSort")->isEnabled());
    EXPECT_FALSE(child<SpinEdit>("SpinFileHistMax")->isEnabled());
    EXPECT_FALSE(child<QCheckBox>("ChkTabsSort")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>("ChkWinListSort")->isEnabled());
    dialog.BtnOkClick();
    EXPECT_FALSE(dialog.Options.FileHist);
    EXPECT_TRUE(dialog.Options.FileHistSort);
    EXPECT_EQ(dialog.Options.FileHistMax, 5);
}

TEST_F(PreferencesDialogTest, NewThenOkAddsNewFilterWithEmptyWildcards)
{
    filtersPage();
    child<QPushButton>("BtnNew")->click();
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>("TxtDescription"));
    EXPECT_EQ(child<QLineEdit>("TxtDescription")->selectedText(), QStringLiteral("New filter"));
    dialog.BtnOkClick();
    EXPECT_EQ(dialog.Options.FileFilter, QStringLiteral("Text (*.txt)|*.txt|C (*.c)|*.c|New filter|"));
}

TEST_F(PreferencesDialogTest, EditGoesToTheEntrySelectedWhileTyping)
{
    filtersPage();
    auto *description = child<QLineEdit>("TxtDescription");
    auto *wildcards = child<QLineEdit>("TxtWildcards");
    description->setFocus();
    description->selectAll();
    QTest::keyClicks(description, QStringLiteral("Plain"));
    clickEntry(1);
    EXPECT_EQ(entries(), QStringList({"Plain|*.txt", "C (*.c)|*.c"}));
    EXPECT_EQ(description->text(), QStringLiteral("C (*.c)"));
    // Selecting another entry fills the fields without counting as an edit.
    wildcards->setFocus();
    clickEntry(0);
    EXPECT_EQ(entries(), QStringList({"Plain|*.txt", "C (*.c)|*.c"}));
    // Up, Down and Delete commit first; Up on the first entry does nothing.
    wildcards->setFocus();
    QTest::keyClicks(wildcards, QStringLiteral(";*.text"));
    child<QPushButton>("BtnDown")->click();
    EXPECT_EQ(entries(), QStringList({"C (*.c)|*.c", "Plain|*.txt;*.text"}));
    child<QPushButton>("BtnUp")->click();
    child<QPushButton>("BtnUp")->click();
    EXPECT_EQ(entries(), QStringList({"Plain|*.txt;*.text", "C (*.c)|*.c"}));
    child<QPushButton>("BtnDelete")->click();
    child<QPushButton>("BtnDelete")->click();
    EXPECT_TRUE(entries().isEmpty());
    EXPECT_TRUE(description->text().isEmpty() && wildcards->text().isEmpty());
    dialog.BtnOkClick();
    EXPECT_EQ(dialog.Options.FileFilter, QString());
}

// Runs the frame's Preferences command, answering its dialog with `change`
// and then OK or Cancel.
void runPreferences(TMainWindow &frame, const std::function<void(TPreferencesDialog &)> &change, bool ok)
{
    verno::test::ScriptedPrompter prompter;
    prompter.dialogActions.push_back([change, ok](QDialog &dialog) {
        change(static_cast<TPreferencesDialog &>(dialog));
        dialog.findChild<QPushButton *>(QString::fromLatin1(ok ? "BtnOk" : "BtnCancel"))->click();
    });
    frame.OptPreferencesClick();
    EXPECT_EQ(prompter.dialogsRun, QStringList{"PreferencesDialog"});
}

void changeEverything(TPreferencesDialog &dialog)
{
    for (QCheckBox *c : dialog.findChildren<QCheckBox *>())
        c->click();
    for (SpinEdit *s : dialog.findChildren<SpinEdit *>())
        s->setValue(s->value() + 1);
    auto *page = dialog.findChild<TFilterPage *>();
    page->BtnNewClick();
    while (!page->entries().isEmpty())
        page->BtnDeleteClick();
}

TEST(Preferences, CancelChangesNothingAndOkAppliesForTheNextStartToo)
{
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("Verno.reg"));
    auto frame = std::make_unique<TMainWindow>(store);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    frame->LoadSettings();
    const Settings before = frame->settings();

    runPreferences(*frame, changeEverything, false);
    EXPECT_EQ(frame->settings(), before);
    EXPECT_TRUE(frame->toolBar().bar()->isVisible());
    EXPECT_TRUE(frame->statusBar()->isVisible());
    EXPECT_FALSE(frame->TabSet()->isHidden());

    runPreferences(*frame, changeEverything, true);
    EXPECT_FALSE(frame->toolBar().bar()->isVisible());
    EXPECT_FALSE(frame->statusBar()->isVisible());
    EXPECT_TRUE(frame->TabSet()->isHidden());
    EXPECT_EQ(frame->settings().Backup, !before.Backup);
    EXPECT_EQ(frame->settings().AutoReload, !before.AutoReload);
    EXPECT_EQ(frame->settings().ShiftCount, before.ShiftCount + 1);
    EXPECT_EQ(frame->settings().FileFilter, QString());
    ASSERT_TRUE(frame->SaveSettings());

    frame = std::make_unique<TMainWindow>(store);
    frame->show();
    frame->LoadSettings();
    EXPECT_FALSE(frame->toolBar().bar()->isVisible());
    EXPECT_EQ(frame->settings().FileFilter, QString::fromLatin1(kDefaultFileFilter));
    EXPECT_TRUE(frame->settings().KeepLineBreaks);
    EXPECT_TRUE(frame->settings().ReopenSession);
    EXPECT_TRUE(frame->settings().LineNumbers);
}

} // namespace
