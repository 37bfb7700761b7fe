#pragma once
// A frame with one edit window, its search state and scripted message boxes.
#include "app/mainwindow.h"
#include "window/filewindow.h"
#include "testsupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>

namespace verno::test {

// A selection: line and column of its start, and its length.
struct Place {
    int line;
    int column;
    int length;
    bool operator==(const Place &) const = default;
};

inline void PrintTo(const Place &p, std::ostream *os)
{
    *os << "line " << p.line << " column " << p.column << " length " << p.length;
}

class SearchTest : public ::testing::Test {
protected:
    SearchTest() : frame(dir.path() + QStringLiteral("/Verno.reg"))
    {
        frame.OpenEditWindow(QString(), false);
        window = frame.editWindows().value(0);
    }

    EditControl &memo() const { return window->Memo(); }
    T_SearchOptions &options() { return frame.searchOptions(); }

    void setText(const std::string &text) { memo().SetWholeText(text); }
    std::string text() const { return memo().WholeText(); }
    // Selects length characters from line and column (no selection for 0).
    void select(int line, int column, int length = 0)
    {
        memo().SetCaret(memo().LineStart(line) + column);
        memo().SetSelectionLength(length);
    }
    // Line and column of the selection start, and the selection length.
    Place place() const
    {
        const int start = memo().SelectionStart();
        const int line = memo().LineOf(start);
        return {line, start - memo().LineStart(line), memo().SelectionLength()};
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    TMainWindow frame;
    TFileWindow *window = nullptr;
};

} // namespace verno::test
