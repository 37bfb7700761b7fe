#include "app/mainwindow.h"
#include "dialogs/inschardialog.h"
#include "window/filewindow.h"
#include "app/frametest.h"

#include <QRadioButton>


using namespace verno;

namespace {

class InsCharTest : public test::FrameTest {
protected:
    TInsCharDialog &dialog() { return frame->insCharDialog(); }

    // Alt+I in the window, then the cell chosen and the dialog closed as given.
    void pick(int column, int row, bool ok)
    {
        prompter.dialogActions.push_back([=, this](QDialog &) {
            dialog().SelectCell(column, row);
            ok ? dialog().accept() : dialog().reject();
        });
        frame->EditInsCharClick();
    }
};

TEST_F(InsCharTest, LabelsFollowTheBaseAndTheChosenCellStays)
{
    TInsCharDialog &d = dialog();
    d.SelectCell(4, 1);
    struct Case {
        int base;
        const char *column4, *row1, *column15, *row15;
    };
    const Case cases[] = {
        {1, "40", "  1", "F0", "  F"},
        {0, "064", "  1", "240", " 15"},
        {2, "100", "  1", "360", " 17"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.base);
        d.SetBase(c.base);
        EXPECT_EQ(d.ColumnLabel(4), QLatin1String(c.column4));
        EXPECT_EQ(d.RowLabel(1), QLatin1String(c.row1));
        EXPECT_EQ(d.ColumnLabel(15), QLatin1String(c.column15));
        EXPECT_EQ(d.RowLabel(15), QLatin1String(c.row15));
        EXPECT_EQ(d.SelectedCode(), 65);
    }
    EXPECT_EQ(d.CellText(65), QStringLiteral("A"));
    EXPECT_EQ(d.CellText(0), QStringLiteral("NUL")); // control codes are visible
    EXPECT_EQ(d.CellText(0x81), QStringLiteral("81"));
    EXPECT_EQ(d.CellText(0x80), QString(QChar(0x20AC)));
}

TEST_F(InsCharTest, OkReplacesTheSelectionWithTheChosenCode)
{
    TFileWindow *w = openFile(QStringLiteral("c.txt"), "xyz");
    EditControl &m = w->Memo();
    struct Case {
        int column, row;
        bool ok;
        int selectFrom, selectLength;
        std::string expected;
    };
    const Case cases[] = {
        {4, 1, true, 1, 0, "xAyz"},          // at the caret
        {15, 15, true, 0, 1, "\xFF" "yz"},   // replacing a selection
        {0, 0, true, 1, 1, "xz"},            // code 0: the selection goes, nothing comes
        {4, 1, false, 0, 3, "xyz"},          // Cancel
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expected);
        m.SetWholeText("xyz");
        m.SetCaret(c.selectFrom);
        m.SetSelectionLength(c.selectLength);
        pick(c.column, c.row, c.ok);
        EXPECT_EQ(m.WholeText(), c.expected);
    }
    // The base chosen in the dialog is the one stored.
    prompter.dialogActions.push_back([this](QDialog &) { dialog().SetBase(2); });
    frame->EditInsCharClick();
    EXPECT_EQ(frame->settings().InsCharBase, 2);
}

// Enter on the grid is OK; on the focused Cancel button it cancels.
TEST_F(InsCharTest, EnterPressesTheFocusedButtonOrOk)
{
    TFileWindow *w = openFile(QStringLiteral("e.txt"), "");
    for (const char *focus : {"BtnCancel", "GridChars"}) {
        prompter.dialogActions.push_back([this, focus](QDialog &d) {
            dialog().SelectCell(4, 1);
            QTest::keyClick(d.findChild<QWidget *>(QString::fromLatin1(focus)), Qt::Key_Return);
        });
        frame->EditInsCharClick();
    }
    EXPECT_EQ(w->Memo().WholeText(), "A");
}

// Tab enters the base group at the checked button, so the arrows change the base.
TEST_F(InsCharTest, OnlyTheCheckedBaseIsATabStop)
{
    const QList<QRadioButton *> radios = dialog().findChildren<QRadioButton *>();
    ASSERT_EQ(radios.size(), 3);
    for (int base : {0, 2, 1}) {
        dialog().SetBase(base);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(bool(radios[i]->focusPolicy() & Qt::TabFocus), i == base) << base << i;
    }
}

TEST_F(InsCharTest, ReadOnlyTextOpensNothing)
{
    TFileWindow *w = openFile(QStringLiteral("r.txt"), "abc");
    w->SetReadOnly(true);
    frame->EditInsCharClick();
    EXPECT_TRUE(prompter.dialogsRun.isEmpty());
    EXPECT_EQ(w->Memo().WholeText(), "abc");
}

} // namespace
