// Random operations on random texts, applied to the program's control and to
// the QPlainTextEdit one kept as a reference: every answer must agree. With
// word wrap on, where a line wraps is each control's own affair, so display
// lines are checked for consistency instead of compared.
#include "editor/qteditcontrol.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace verno;

namespace {

class Differential : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (auto *c : {&ours, &reference}) {
            *c = c == &ours ? makeBufferEditControl() : makePlainTextEditControl();
            (*c)->widget()->resize(300, 200);
            (*c)->widget()->show();
        }
        QCoreApplication::processEvents();
    }

    std::unique_ptr<QtEditControl> ours, reference;
    std::mt19937 rng;
    std::string log; // the operations so far, for a failure message
    bool trustReferenceFlag = true;
    bool afterRemovalKey = false;
    bool longLines = false;

    int pick(int n) { return int(rng() % unsigned(n)); }

    std::string randomText(int maxLength)
    {
        static const std::string parts[] = {"\r\n", "\n", "\r", std::string(1, '\0'), "\xE9", "\x80\xFF",
                                            "\t", "ab", "word ", "  ", "\r\n\r\n", "x"};
        std::string s;
        const int n = pick(maxLength + 1);
        while (int(s.size()) < n)
            s += parts[pick(12)];
        if (longLines && pick(8) == 0) // one very long line
            s.insert(size_t(pick(int(s.size()) + 1)), std::string(100'000, 'L'));
        return s;
    }

    int randomPosition()
    {
        const int len = ours->TextLength();
        switch (pick(8)) {
        case 0: return -1;
        case 1: return len + pick(3);
        default: return pick(len + 1);
        }
    }

    // Keys a user types, including the ones that are not characters. Runs of
    // Backspace or Delete are left out: the reference splits their undo step
    // where the removed text came from different insertions, which nothing
    // here can see.
    void typeKeys()
    {
        static const Qt::Key keys[] = {Qt::Key_A, Qt::Key_B, Qt::Key_Space, Qt::Key_Return, Qt::Key_Tab,
                                       Qt::Key_Backspace, Qt::Key_Delete};
        const int count = 1 + pick(4);
        for (int i = 0; i < count; ++i) {
            const Qt::Key key = keys[pick(afterRemovalKey ? 5 : 7)];
            afterRemovalKey = key == Qt::Key_Backspace || key == Qt::Key_Delete;
            log += " key:" + std::to_string(int(key));
            for (auto *c : {ours.get(), reference.get()})
                QTest::keyClick(c->widget(), key);
        }
    }

    template <typename F> void both(const std::string &what, F &&f)
    {
        log += " " + what;
        const int before = ours->TextLength();
        f(*ours);
        f(*reference);
        // Any other change of the text ends a run of removals.
        afterRemovalKey = afterRemovalKey && before == ours->TextLength();
    }

    void randomOperation()
    {
        switch (pick(15)) {
        case 0: { const int p = randomPosition(); both("caret" + std::to_string(p), [&](EditControl &c) { c.SetCaret(p); }); break; }
        case 1: { const int n = pick(4) ? pick(20) : -1; both("sel" + std::to_string(n), [&](EditControl &c) { c.SetSelectionLength(n); }); break; }
        case 2: both("all", [](EditControl &c) { c.SelectAllText(); }); break;
        case 3: { const std::string s = randomText(12); both("replace", [&](EditControl &c) { c.ReplaceSelection(s); }); break; }
        case 4: both("delete", [](EditControl &c) { c.DeleteSelection(); }); break;
        case 5: both("cut", [](EditControl &c) { c.CutSelection(); }); break;
        case 6: {
            const QString s = QString::fromLatin1(randomText(10).c_str());
            log += " paste";
            QGuiApplication::clipboard()->setText(s);
            ours->PasteClipboard();
            QGuiApplication::clipboard()->setText(s);
            reference->PasteClipboard();
            afterRemovalKey = afterRemovalKey && s.isEmpty();
            break;
        }
        case 7: case 8: if (!ours->ReadOnly()) typeKeys(); break;
        case 9:
            {
                log += " undo";
                const std::string before = reference->WholeText();
                ours->UndoLast();
                reference->UndoLast();
                // The reference may keep a step that changes nothing (a typed
                // break into an empty text leaves one): step over it.
                while (reference->WholeText() == before && ours->WholeText() != before && reference->UndoAvailable())
                    reference->UndoLast();
                afterRemovalKey = false;
            }
            break;
        case 10:
            // The reference then takes its undo start for the unmodified text,
            // so undoing back to it clears the flag of a changed text.
            trustReferenceFlag = trustReferenceFlag && !ours->ModifiedFlag();
            both("forget", [](EditControl &c) { c.ForgetUndo(); });
            break;
        case 11:
            // The reference would lay out a very long line at every change.
            if (!longLines) {
                const bool on = !ours->WordWrap();
                both("wrap", [&](EditControl &c) { c.SetWordWrap(on); });
            }
            break;
        case 12: {
            const bool on = pick(2);
            both("modified", [&](EditControl &c) { c.SetModifiedFlag(on); });
            trustReferenceFlag = true;
            break;
        }
        case 13: { const bool on = pick(4) == 0; both("readonly", [&](EditControl &c) { c.SetReadOnly(on); }); break; }
        case 14:
            if (!ours->WordWrap()) {
                const int n = pick(ours->LineCount() + 2);
                const std::string s = randomText(8);
                both("setline" + std::to_string(n), [&](EditControl &c) { c.SetLineText(n, s); });
            }
            break;
        }
    }

    void expectSameAnswers()
    {
        SCOPED_TRACE(log);
        const EditControl &a = *ours, &b = *reference;
        ASSERT_EQ(a.WholeText(), b.WholeText());
        while (!a.UndoAvailable() && b.UndoAvailable()) {
            // The reference sometimes keeps a step that changes nothing.
            reference->UndoLast();
            ASSERT_EQ(a.WholeText(), b.WholeText()) << "an undo step only the reference has";
            reference->SetCaret(a.SelectionStart());
            reference->SetSelectionLength(a.SelectionLength());
        }
        ASSERT_EQ(a.TextLength(), b.TextLength());
        ASSERT_EQ(a.HasText(), b.HasText());
        ASSERT_EQ(a.SelectionStart(), b.SelectionStart());
        ASSERT_EQ(a.SelectionLength(), b.SelectionLength());
        ASSERT_EQ(a.SelectedText(7), b.SelectedText(7));
        if (trustReferenceFlag) {
            ASSERT_EQ(a.ModifiedFlag(), b.ModifiedFlag());
        }
        ASSERT_EQ(a.UndoAvailable(), b.UndoAvailable());
        const int len = a.TextLength();
        if (a.WordWrap()) {
            expectConsistentDisplayLines(a);
            return;
        }
        ASSERT_EQ(a.LineCount(), b.LineCount());
        ASSERT_EQ(a.LineStart(-1), b.LineStart(-1));
        ASSERT_EQ(a.LineLength(-1), b.LineLength(-1));
        ASSERT_EQ(a.LineOf(-1), b.LineOf(-1));
        for (int i = 0; i < 6; ++i) {
            const int n = pick(a.LineCount() + 2);
            ASSERT_EQ(a.LineStart(n), b.LineStart(n)) << "line " << n;
            ASSERT_EQ(a.LineText(n), b.LineText(n)) << "line " << n;
            const int p = pick(len + 3);
            ASSERT_EQ(a.LineOf(p), b.LineOf(p)) << "position " << p;
            ASSERT_EQ(a.LineLength(p), b.LineLength(p)) << "position " << p;
        }
    }

    // Display lines tile the text and every query agrees with the others.
    void expectConsistentDisplayLines(const EditControl &c)
    {
        const int count = c.LineCount();
        const int len = c.TextLength();
        for (int i = 0; i < 6 && count > 0; ++i) {
            const int n = pick(count);
            const int s = c.LineStart(n);
            ASSERT_GE(s, 0);
            ASSERT_EQ(c.LineOf(s), n);
            const int l = c.LineLength(s);
            ASSERT_EQ(int(c.LineText(n).size()), l);
            const int next = c.LineStart(n + 1);
            if (next >= 0)
                ASSERT_TRUE(next == s + l || next == s + l + 2) << n;
            else
                ASSERT_EQ(s + l, len);
        }
        ASSERT_EQ(c.LineStart(c.LineCount() + 1), -1);
    }
};

TEST_F(Differential, RandomOperationsGiveTheSameAnswers)
{
    // DIFF_SEED=n replays one sequence.
    const unsigned only = qEnvironmentVariableIntValue("DIFF_SEED");
    for (unsigned seed = only ? only : 1; seed <= (only ? only : 2000); ++seed) {
        rng.seed(seed);
        longLines = seed % 40 == 0;
        log = "seed " + std::to_string(seed) + ":";
        trustReferenceFlag = true;
        afterRemovalKey = false;
        const std::string text = randomText(60);
        ASSERT_TRUE(ours->SetWholeText(text));
        ASSERT_TRUE(reference->SetWholeText(text));
        for (auto *c : {ours.get(), reference.get()}) {
            c->SetReadOnly(false);
            c->SetWordWrap(!longLines && seed % 4 == 0);
        }
        ASSERT_NO_FATAL_FAILURE(expectSameAnswers());
        for (int step = 0; step < 12; ++step) {
            randomOperation();
            ASSERT_NO_FATAL_FAILURE(expectSameAnswers());
        }
    }
}

} // namespace
