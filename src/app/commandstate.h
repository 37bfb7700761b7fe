#pragma once

namespace verno {

// What the menus, tool bar and status bar show, taken from the active edit
// window at the start of every pass.
struct CommandState {
    bool HasWindow = false;
    bool HasFileName = false;
    bool HasText = false;
    bool HasSelection = false;
    bool IsAutoIndent = false;
    bool IsWordWrap = false;
    bool IsModified = false;
    bool IsReadOnly = false;
    bool IsLineNumbers = false;
    bool IsUtf8 = false;
    bool CanUndo = false;
    bool CanRedo = false;
    int CaretLine = 0;
    int CaretColumn = 0;
    int EndLine = 0;
    int EndColumn = 0;
    bool CanSearchAgain = false;
    bool ClipboardHasText = false;
    // Program state the rules also read.
    bool ROifModified = false;
    bool IndentAll = false;
    bool WordWrapAll = false;
    bool ReadOnlyAll = false;
    bool InsertMode = true;
    int WindowCount = 0;
};

} // namespace verno
