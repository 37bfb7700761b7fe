// The Find, Replace and Go to Line commands with their dialogs, answered by
// the scripted prompter.
#include "platform/helptopic.h"
#include "search/finddialog.h"
#include "search/gotodialog.h"
#include "search/replacedialog.h"
#include "search/searchcommands.h"
#include "search/searchoptions.h"
#include "searchtest.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace verno;
using verno::test::Place;
using verno::test::SearchTest;

namespace {

template <typename T> T *child(QDialog &d, const char *name)
{
    T *w = d.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

QComboBox *findBox(QDialog &d) { return child<QComboBox>(d, "TxtFind"); }
void clickOk(QDialog &d) { child<QPushButton>(d, "BtnOK")->click(); }

} // namespace

TEST_F(SearchTest, FindDialogProposesAOneLineSelectionOrTheFindText)
{
    const struct {
        const char *name;
        Place selection;
        bool findWord;
        QString proposed;
    } cases[] = {
        {"one-line selection", {0, 0, 10}, true, "alpha beta"},
        {"two-line selection", {0, 6, 9}, false, "old"},
        {"word at the caret", {1, 2, 0}, true, "gamma"},
        {"caret on a blank", {0, 5, 0}, true, ""},
        {"word at the caret not wanted", {1, 2, 0}, false, "old"},
    };
    setText("alpha beta\r\ngamma");
    options().FindHistory.Add("older");
    options().WholeWords = true;
    options().Origin = T_SearchOptions::kOriginEntire;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        options().SetFindText("old");
        frame.settings().FindWord = c.findWord;
        select(c.selection.line, c.selection.column, c.selection.length);
        QString shown;
        prompter.dialogActions.push_back([&](QDialog &d) {
            shown = findBox(d)->currentText();
            EXPECT_EQ(findBox(d)->lineEdit()->selectedText(), shown);
            EXPECT_EQ(findBox(d)->itemText(0), "older");
            EXPECT_TRUE(child<QCheckBox>(d, "ChkWords")->isChecked());
            EXPECT_TRUE(child<QRadioButton>(d, "OriginEntire")->isChecked());
            EXPECT_EQ(frame.statusMessage(), "Find a string");
            // Down recalls the most recent entry first.
            QTest::keyClick(findBox(d)->lineEdit(), Qt::Key_Down);
            EXPECT_EQ(findBox(d)->currentText(), "older");
        });
        window->FindClick();
        EXPECT_EQ(shown, c.proposed);
        EXPECT_EQ(place(), c.selection) << "cancelled: nothing searched";
        EXPECT_TRUE(frame.statusMessage().isEmpty());
    }
    // The word taken at the caret stays, even when it is empty and cancelled.
    options().LastAction = SearchAction::Find;
    select(0, 5);
    frame.settings().FindWord = true;
    window->FindClick();
    EXPECT_EQ(options().FindText, "");
    EXPECT_FALSE(options().CanSearchAgain());
}

TEST_F(SearchTest, FindOkStoresTheOptionsAndSearches)
{
    setText("Beta beta\r\nbeta");
    select(1, 4);
    prompter.dialogActions.push_back([](QDialog &d) {
        findBox(d)->setEditText(QStringLiteral("beta"));
        child<QCheckBox>(d, "ChkCase")->setChecked(true);
        child<QRadioButton>(d, "OriginEntire")->setChecked(true);
        clickOk(d);
    });
    window->FindClick();
    EXPECT_EQ(place(), (Place{0, 5, 4}));
    EXPECT_EQ(options().FindText, "beta");
    EXPECT_TRUE(options().CaseSensitive);
    EXPECT_EQ(options().Origin, T_SearchOptions::kOriginEntire);
    EXPECT_EQ(options().LastAction, SearchAction::Find);
    EXPECT_EQ(options().FindHistory.Entries, std::vector<std::string>{"beta"});

    // An empty text is stored, enters no history and searches nothing.
    prompter.dialogActions.push_back([](QDialog &d) {
        findBox(d)->setEditText(QString());
        clickOk(d);
    });
    window->FindClick();
    EXPECT_EQ(options().FindText, "");
    EXPECT_EQ(options().FindHistory.Entries.size(), 1u);
    EXPECT_EQ(place(), (Place{0, 5, 4}));
    EXPECT_TRUE(prompter.messages.empty());

    // Enter in the text box presses OK; texts are cut to 255 characters.
    prompter.dialogActions.push_back([](QDialog &d) {
        findBox(d)->setEditText(QString(300, QLatin1Char('q')));
        QTest::keyClick(findBox(d)->lineEdit(), Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    });
    window->FindClick();
    EXPECT_EQ(options().FindText, std::string(255, 'q'));
    EXPECT_EQ(prompter.messages.size(), 1u) << "not found";
}

TEST_F(SearchTest, ReplaceDialogRunsTheLoopAndFillsBothHistories)
{
    setText("one two one");
    options().SetReplaceText("before");
    prompter.dialogActions.push_back([](QDialog &d) {
        EXPECT_EQ(child<QComboBox>(d, "TxtReplace")->currentText(), "before");
        findBox(d)->setEditText(QStringLiteral("one"));
        child<QComboBox>(d, "TxtReplace")->setEditText(QStringLiteral("1"));
        child<QCheckBox>(d, "ChkAll")->setChecked(true);
        clickOk(d);
    });
    window->FindReplaceClick();
    EXPECT_EQ(text(), "1 two 1");
    EXPECT_EQ(options().LastAction, SearchAction::Replace);
    EXPECT_TRUE(options().AllOccurrences);
    EXPECT_EQ(options().FindHistory.Entries, std::vector<std::string>{"one"});
    EXPECT_EQ(options().ReplaceHistory.Entries, std::vector<std::string>{"1"});

    memo().SetReadOnly(true);
    prompter.dialogsRun.clear();
    window->FindReplaceClick();
    EXPECT_TRUE(prompter.dialogsRun.isEmpty());
}

// A character a single-byte text cannot hold is found nowhere in it, and a
// replace of it replaces nothing; the history keeps it for UTF-8 texts.
TEST_F(SearchTest, AFindTextTheTextCannotHoldFindsNothing)
{
    const std::string start = "why? what?\r\n?";
    const QString typed = QString::fromUtf8("\u0416?");
    frame.settings().FindWord = false;
    for (bool replace : {false, true}) {
        SCOPED_TRACE(replace ? "replace" : "find");
        setText(start);
        select(0, 0);
        prompter.messages.clear();
        prompter.dialogActions.push_back([&](QDialog &d) {
            findBox(d)->setEditText(typed);
            if (replace) {
                child<QComboBox>(d, "TxtReplace")->setEditText(QString());
                child<QCheckBox>(d, "ChkAll")->setChecked(true);
            }
            clickOk(d);
        });
        replace ? window->FindReplaceClick() : window->FindClick();
        window->FindAgainClick();
        EXPECT_EQ(text(), start);
        EXPECT_EQ(place(), (Place{0, 0, 0}));
        ASSERT_EQ(prompter.messages.size(), 2u);
        EXPECT_EQ(prompter.messages[1].text, "\"" + typed + "\" not found");
        EXPECT_EQ(options().FindHistory.Entries, std::vector<std::string>{typed.toStdString()});
        // The next Find proposes the text as typed.
        QString proposed;
        prompter.dialogActions.push_back([&](QDialog &d) { proposed = findBox(d)->currentText(); });
        window->FindClick();
        EXPECT_EQ(proposed, typed);
    }
}

// A bad entry is reported beside the box and keeps the dialog open (then
// cancelled here, so the caret stays).
TEST_F(SearchTest, GoToLineTakesTheEntryWithinTheText)
{
    std::string forty;
    for (int i = 1; i <= 40; ++i)
        forty += "line " + std::to_string(i) + "\r\n";
    const struct {
        QString entry;
        int line; // -1: invalid
    } cases[] = {{"", 6},  {"3", 2},  {"9999", 39}, {"0", 0},   {"  2", 1},
                 {"$1F", 30}, {"0x10", 15}, {"-3", -1}, {"2 ", -1}, {"x", -1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.entry.toStdString());
        setText(forty);
        select(6, 3, 2);
        prompter.messages.clear();
        prompter.dialogActions.push_back([&](QDialog &d) {
            EXPECT_EQ(child<QLabel>(d, "TxtCurLine")->text(), "7");
            EXPECT_EQ(child<QLabel>(d, "TxtMaxLine")->text(), "40");
            QLineEdit *edit = child<QLineEdit>(d, "EdtLineNum");
            edit->setText(c.entry);
            clickOk(d);
            EXPECT_EQ(d.isVisible(), c.line < 0);
            if (c.line < 0) {
                ASSERT_EQ(prompter.messages.size(), 1u);
                EXPECT_EQ(prompter.messages[0].text, "Invalid line number");
                EXPECT_EQ(prompter.messages[0].topLeft,
                          d.frameGeometry().topLeft() + edit->mapTo(&d, QPoint(-20, 50)));
            }
        });
        window->FindLineClick();
        EXPECT_EQ(place(), (c.line < 0 ? Place{6, 3, 2} : Place{c.line, 0, 0}));
    }
}

// Beyond line 9999 the entry takes as many digits as the line total has.
TEST_F(SearchTest, GoToLineReachesPastFourDigitsInALongText)
{
    std::string text;
    for (int i = 1; i <= 12345; ++i)
        text += "l\r\n";
    setText(text);
    prompter.dialogActions.push_back([&](QDialog &d) {
        child<QLineEdit>(d, "EdtLineNum")->setText("12000");
        clickOk(d);
    });
    window->FindLineClick();
    EXPECT_EQ(place(), (Place{11999, 0, 0}));
}

TEST_F(SearchTest, HelpButtonsAndF1AskForTheirTopics)
{
    std::vector<int> topics;
    setHelpTopicHandler([&](int topic) { topics.push_back(topic); });
    for (QDialog *d : std::initializer_list<QDialog *>{&FindDialog(&frame), &ReplaceDialog(&frame), &GotoDialog(&frame)}) {
        child<QPushButton>(*d, "BtnHelp")->click();
        d->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        d->reject();
    }
    setHelpTopicHandler({});
    EXPECT_EQ(topics, (std::vector<int>{31, 31, 32, 32, 34, 34}));
}
