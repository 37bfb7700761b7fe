#include "app/commandtable.h"
#include "app/mainwindow.h"

#include <array>

namespace verno {

namespace {

using S = CommandState;
using M = TMainWindow;

constexpr Rule always = nullptr;
bool hasWindow(const S &s) { return s.HasWindow; }
bool hasFileName(const S &s) { return s.HasFileName; }
bool hasText(const S &s) { return s.HasText; }
bool editable(const S &s) { return s.HasWindow && !s.IsReadOnly; }
bool textEditable(const S &s) { return s.HasText && !s.IsReadOnly; }
bool selection(const S &s) { return s.HasSelection; }
bool selectionEditable(const S &s) { return s.HasSelection && !s.IsReadOnly; }
bool canUndo(const S &s) { return s.CanUndo; }
bool canRedo(const S &s) { return s.CanRedo; }
bool canPaste(const S &s) { return s.ClipboardHasText && !s.IsReadOnly; }
bool canSearchAgain(const S &s) { return s.CanSearchAgain; }
bool severalWindows(const S &s) { return s.WindowCount > 1; }
bool canToggleReadOnly(const S &s)
{
    return s.HasWindow && (s.ROifModified || s.IsReadOnly || !s.IsModified);
}
bool indentAll(const S &s) { return s.IndentAll; }
bool wordWrapAll(const S &s) { return s.WordWrapAll; }
bool readOnlyAll(const S &s) { return s.ReadOnlyAll; }
bool isAutoIndent(const S &s) { return s.IsAutoIndent; }
bool isWordWrap(const S &s) { return s.IsWordWrap; }
bool isReadOnly(const S &s) { return s.IsReadOnly; }
bool isLineNumbers(const S &s) { return s.IsLineNumbers; }
bool isUtf8(const S &s) { return s.IsUtf8; }
bool insertMode(const S &s) { return s.InsertMode; }

constexpr Pass St = Pass::Status;
constexpr Pass Mn = Pass::Menu;
constexpr Pass No = Pass::None;

const MenuItemSpec kFile[] = {
    {"MnuFileNew", "&New", "", "Create new empty edit window", No, always, nullptr, &M::FileNewClick},
    {"MnuFileOpen", "&Open...", "Ctrl+O", "Open existing text file", No, always, nullptr, &M::FileOpenClick},
    {"MnuFileView", "&View...", "Ctrl+Shift+O", "Open existing text file in read-only mode", No, always, nullptr, &M::FileViewClick},
    {"MnuFileDelete", "&Delete...", "", "Close file window and delete file on disk", Mn, hasFileName, nullptr, &M::FileDeleteClick},
    {"MnuFileRename", "&Rename...", "", "Rename current file on disk", Mn, hasFileName, nullptr, &M::FileRenameClick},
    {"MnuFileSave", "&Save", "Ctrl+S", "Save current edit window to disk, using its current name", St, editable, nullptr, &M::FileSaveClick},
    {"MnuFileSaveAs", "Save &As...", "Ctrl+Shift+S", "Save current edit window to disk, specifying a filename", Mn, hasWindow, nullptr, &M::FileSaveAsClick},
    {"MnuFileSaveAll", "Save A&ll", "", "Save all open edit windows to disk", Mn, hasWindow, nullptr, &M::FileSaveAllClick},
    // Carries F3 so that F3 outside an edit control does nothing.
    {"MnuFileSep1", "-", "F3", "", No, always, nullptr, nullptr, Separator},
    {"MnuFilePageSetup", "Pa&ge Setup...", "", "Set  page print parameters", Mn, hasWindow, nullptr, &M::FilePageSetupClick},
    {"MnuFilePrintSetup", "Pr&int Setup...", "", "Change printer settings", No, always, nullptr, &M::FilePrintSetupClick},
    {"MnuFilePrint", "&Print...", "Ctrl+P", "Print text in current edit window", Mn, hasText, nullptr, &M::FilePrintClick},
    {"MnuFileSep2", "-", "", "", No, always, nullptr, nullptr, Separator},
    {"MnuFileChangeDir", "&Change Directory", "", "", No, always, nullptr, &M::FileChangeDirClick},
    {"MnuFileDos", "&DOS Shell", "F7", "Open DOS Box to execurte a command; type EXIT to return", No, always, nullptr, &M::FileDosClick},
    {"MnuFileCommand", "&Execute...", "F8", "Define/Execute external command", No, always, nullptr, &M::FileCommandClick},
    {"MnuFileExit", "E&xit", "Alt+X", "Exit the application", No, always, nullptr, &M::FileExitClick},
};

const MenuItemSpec kEdit[] = {
    {"MnuEditUndo", "&Undo", "Ctrl+Z", "Undo the last change", St, canUndo, nullptr, &M::EditUndoClick},
    {"MnuEditRedo", "&Redo", "Ctrl+Shift+Z", "Redo the last change undone", St, canRedo, nullptr, &M::EditRedoClick},
    {"MnuEditSep1", "-", "", "", No, always, nullptr, nullptr, Separator},
    {"MnuEditCut", "Cu&t", "Ctrl+X", "Cut selected text to clipboard", St, selectionEditable, nullptr, &M::EditCutClick},
    {"MnuEditCopy", "&Copy", "Ctrl+C", "Copy selected text to clipboard", St, selection, nullptr, &M::EditCopyClick},
    {"MnuEditPaste", "&Paste", "Ctrl+V", "Paste text from clipboard", St, canPaste, nullptr, &M::EditPasteClick},
    {"MnuEditDelete", "&Delete", "Del", "Delete selected text", St, textEditable, nullptr, &M::EditDeleteClick},
    {"MnuEditSelectAll", "Select &All", "Ctrl+Shift+A", "Select all text in current edit window", Mn, hasText, nullptr, &M::EditSelectAllClick},
    {"MnuEditSep2", "-", "", "", No, always, nullptr, nullptr, Separator},
    {"MnuEditCutTo", "Cut to...", "Ctrl+Shift+X", "Cut selected text to disk, specifying a filename", St, selectionEditable, nullptr, &M::EditCutToClick},
    {"MnuEditCopyTo", "Copy to...", "Ctrl+Shift+C", "Copy selected text to disk, specifying a filename", St, selection, nullptr, &M::EditCopyToClick},
    {"MnuEditPasteFrom", "Paste from...", "Ctrl+Shift+V", "Insert text from an external file", St, editable, nullptr, &M::EditPasteFromClick},
    {"MnuEditSep3", "-", "", "", No, always, nullptr, nullptr, Separator},
    {"MnuEditChangeCase", "C&hange Case", "Ctrl+Shift+6; Ctrl+Shift+^", "Invert upper/lower case", St, textEditable, nullptr, &M::EditChangeCaseClick},
    {"MnuEditUpperCase", "&Upper Case", "Ctrl+Shift+U", "Change to upper case", St, textEditable, nullptr, &M::EditUpperCaseClick},
    {"MnuEditLowerCase", "&Lower Case", "Ctrl+Shift+L", "Change to lower case", St, textEditable, nullptr, &M::EditLowerCaseClick},
    {"MnuEditInitialCaps", "&Initial Caps", "Ctrl+Shift+I", "Set initial word characters to upper case", St, textEditable, nullptr, &M::EditInitialCapsClick},
    {"MnuEditInsChar", "Insert Character", "Alt+I", "Pick a character from an ASCII table", St, editable, nullptr, &M::EditInsCharClick},
    {"MnuEditSep4", "-", "", "", No, always, nullptr, nullptr, Separator},
    {"MnuEditShiftRight", "Shift Right", "Ctrl+Shift+]; Ctrl+Shift+}", "Shift line(s) right", St, textEditable, nullptr, &M::EditShiftRightClick},
    {"MnuEditShiftLeft", "Shift Left", "Ctrl+Shift+[; Ctrl+Shift+{", "Shift line(s) left", St, textEditable, nullptr, &M::EditShiftLeftClick},
    {"MnuEditTrim", "&Trim", "Ctrl+Shift+T", "", St, textEditable, nullptr, &M::EditTrimClick},
};

const MenuItemSpec kSearch[] = {
    {"MnuFind", "&Find...", "Ctrl+F", "Find a string", St, hasText, nullptr, &M::FindClick},
    {"MnuFindReplace", "Repl&ace...", "Ctrl+A", "Replace a string by another", St, textEditable, nullptr, &M::FindReplaceClick},
    {"MnuFindAgain", "&Search Again", "F3", "Repeat the last Find or Replace action", St, canSearchAgain, nullptr, &M::FindAgainClick, KeyShownOnly},
    {"MnuFindSep1", "-", "", "", No, always, nullptr, nullptr, Separator},
    {"MnuFindLine", "&Go to Line...", "Ctrl+G", "Go to a specified line number in the current edit window", St, hasText, nullptr, &M::FindLineClick},
    {"MnuFindBrLft", "Matching Bracket &Left", "Ctrl+[", "Find matching opening bracket ({[< >]})", St, hasText, nullptr, &M::FindBrLftClick},
    {"MnuFindBrRgt", "Matching Bracket &Right", "Ctrl+]", "Find matching closing bracket ({[< >]})", St, hasText, nullptr, &M::FindBrRgtClick},
};

const MenuItemSpec kOptions[] = {
    {"MnuOptPreferences", "&Preferences...", "F9", "Set preferences", No, always, nullptr, &M::OptPreferencesClick},
    {"MnuOptClearFileHist", "Clear File &History", "", "Clear the File History list", No, always, nullptr, &M::OptClearFileHistClick},
    {"MnuOptDflFont", "&Default Font...", "", "Select default display font", No, always, nullptr, &M::OptDflFontClick},
    {"MnuOptIndentAll", "Auto Indent All", "", "Toggle auto indent for all edit windows", Mn, always, indentAll, &M::OptIndentAllClick, Checkable},
    {"MnuOptWordWrapAll", "Word Wrap All", "", "Toggle word wrap for all edit windows", Mn, always, wordWrapAll, &M::OptWordWrapAllClick, Checkable},
    {"MnuOptReadOnlyAll", "Read Only All", "", "Toggle read-only mode for all edit windows", Mn, always, readOnlyAll, &M::OptReadOnlyAllClick, Checkable},
    {"MnuOptSep1", "-", "", "", No, always, nullptr, nullptr, Separator},
    {"MnuOptLineNum", "&Line numbers", "Ctrl+Alt+L", "Toggle line numbers for the active edit window", St, hasWindow, isLineNumbers, &M::OptLineNumClick, Checkable},
    {"MnuOptCurFont", "&Current Font...", "Ctrl+Alt+F", "Select display font for the active edit window", Mn, hasWindow, nullptr, &M::OptCurFontClick},
    {"MnuOptZoomIn", "Zoom &In", "Ctrl+=; Ctrl++; Ctrl+Shift++", "Larger text in the active edit window, for this session", St, hasWindow, nullptr, &M::OptZoomInClick},
    {"MnuOptZoomOut", "Zoom &Out", "Ctrl+-", "Smaller text in the active edit window, for this session", St, hasWindow, nullptr, &M::OptZoomOutClick},
    {"MnuOptZoomNormal", "&Normal Size", "Ctrl+0", "The active edit window's own font size again", St, hasWindow, nullptr, &M::OptZoomNormalClick},
    {"MnuOptIndent", "Auto Indent", "Ctrl+Alt+I", "Toggle auto indent for the active edit window", Mn, always, isAutoIndent, &M::OptIndentClick, Checkable},
    // Enabled by the status pass (it has a key), checked by the menu pass.
    {"MnuOptWordWrap", "&Word Wrap", "Ctrl+W", "Toggle word wrap for the active edit window", St, hasWindow, isWordWrap, &M::OptWordWrapClick, Checkable},
    {"MnuOptReadonly", "&Read Only", "Ctrl+R", "Toggle read-only mode for the active edit window", St, canToggleReadOnly, isReadOnly, &M::OptReadOnlyClick, Checkable},
    {"MnuOptUtf8", "UTF-8", "", "Read the active edit window's text as UTF-8, or one byte a character", Mn, hasWindow, isUtf8, &M::OptUtf8Click, Checkable},
};

const MenuItemSpec kWindow[] = {
    {"MnuWinTileDown", "Tile &Down", "", "Tile edit windows vertically", Mn, hasWindow, nullptr, &M::WinTileDownClick},
    {"MnuWinTileAcross", "Tile &Across", "", "Tile edit windows horizontally", Mn, hasWindow, nullptr, &M::WinTileAcrossClick},
    {"MnuWinCascade", "&Cascade", "", "Cascade edit windows", Mn, hasWindow, nullptr, &M::WinCascadeClick},
    {"MnuWinMinimizeAll", "&Minimize All", "", "Minimize all edit windows", Mn, hasWindow, nullptr, &M::WinMinimizeAllClick},
    {"MnuWinArrangeIcons", "Arrange &Icons", "", "Arrange edit window icons, if any", Mn, hasWindow, nullptr, &M::WinArrangeIconsClick},
    {"MnuWinSep1", "-", "", "", No, always, nullptr, nullptr, Separator},
    {"MnuWinNext", "&Next", "F6", "Activate next edit window", St, severalWindows, nullptr, &M::WinNextClick},
    {"MnuWinPrevious", "&Previous", "Shift+F6", "Activate previous edit window", St, severalWindows, nullptr, &M::WinPreviousClick},
    {"MnuWinSep2", "-", "", "", No, always, nullptr, nullptr, Separator},
    {"MnuWinClose", "C&lose", "Ctrl+F4", "Close active edit window", St, hasWindow, nullptr, &M::WinCloseClick},
    {"MnuWinCloseAll", "Cl&ose All", "", "Close all edit windows", Mn, hasWindow, nullptr, &M::WinCloseAllClick},
    {"MnuWinList", "Li&st...", "Ctrl+L", "", St, hasWindow, nullptr, &M::WinListClick},
};

const MenuItemSpec kHelp[] = {
    {"MnuHelpIndex", "&Index", "F1", "Display Help index (table of contents)", No, always, nullptr, &M::HelpInfoClick<0>},
    {"MnuHelpGeneral", "&General Information", "", "General information about this program", No, always, nullptr, &M::HelpInfoClick<10>},
    {"MnuHelpUsage", "Program &Usage", "", "How to use this program", No, always, nullptr, &M::HelpInfoClick<20>},
    {"MnuHelpSearching", "&Searching", "", "Help on finding and replacing text", No, always, nullptr, &M::HelpInfoClick<30>},
    {"MnuHelpPrinting", "Printing", "", "Help on printing the text in an edit window", No, always, nullptr, &M::HelpInfoClick<40>},
    {"MnuHelpSep1", "-", "", "", No, always, nullptr, nullptr, Separator},
    {"MnuHelpKeys", "Special &Keys", "", "Special keys that can be used in an edit window", No, always, nullptr, nullptr, SubmenuStart},
    {"MnuKeyCtrlQ", "Dummy", "Ctrl+Q", "No operation", No, always, nullptr, &M::CtrlQClick},
    {"MnuKeyFindAgain", "Search Again", "Ctrl+L", "", St, canSearchAgain, nullptr, &M::FindAgainClick, KeyShownOnly},
    {"MnuKeyDeleteLine", "Delete Line", "Ctrl+Y", "Delete current line", St, textEditable, nullptr, &M::DeleteLineClick},
    {"MnuKeyInsertLine", "Insert Line", "Ctrl+Enter; Ctrl+Return", "Insert an empty line", St, editable, nullptr, &M::InsertLineClick},
    {"MnuKeyInsert", "Insert", "Ins", "Insert or Overwrite mode toggle", Mn, always, insertMode, &M::InsertClick, Checkable},
    {"MnuKeyDelToWord", "Delete to next word", "Ctrl+T", "Delete text from current position to start of the next word", No, always, nullptr, &M::DelToWordClick},
    {"MnuKeyMoveLineUp", "Move Line Up", "Ctrl+U", "", St, editable, nullptr, &M::MoveLineUpClick},
    {"MnuKeyMoveLineDown", "Move Line Down", "Ctrl+D", "", St, editable, nullptr, &M::MoveLineDownClick},
    {"MnuKeyRepeatLine", "Repeat Line", "Ctrl+\\", "", St, editable, nullptr, &M::RepeatLineClick},
    {"Save1", "Save", "Ctrl+S", "", No, always, nullptr, &M::FileSaveClick, KeyShownOnly},
    {"SaveAs1", "Save As...", "Ctrl+Shift+S", "", No, always, nullptr, &M::FileSaveAsClick, KeyShownOnly},
    {"Command01", "Command 1", "Alt+F1", "", No, always, nullptr, &M::CommandClick<1>, NewColumn},
    {"Command02", "Command 2", "Alt+F2", "", No, always, nullptr, &M::CommandClick<2>},
    {"Command03", "Command 3", "Alt+F3", "", No, always, nullptr, &M::CommandClick<3>},
    {"Command04", "Command 4", "Alt+F4", "", No, always, nullptr, &M::CommandClick<4>},
    {"Command05", "Command 5", "Alt+F5", "", No, always, nullptr, &M::CommandClick<5>},
    {"Command06", "Command 6", "Alt+F6", "", No, always, nullptr, &M::CommandClick<6>},
    {"Command07", "Command 7", "Alt+F7", "", No, always, nullptr, &M::CommandClick<7>},
    {"Command08", "Command 8", "Alt+F8", "", No, always, nullptr, &M::CommandClick<8>},
    {"Command09", "Command 9", "Alt+F9", "", No, always, nullptr, &M::CommandClick<9>},
    {"Command10", "Command 10", "Alt+F10", "", No, always, nullptr, &M::CommandClick<10>},
    {"Command11", "Command 11", "Alt+F11", "", No, always, nullptr, &M::CommandClick<11>},
    {"Command12", "Command 12", "Alt+F12", "", No, always, nullptr, &M::CommandClick<12>, SubmenuEnd},
    {"MnuHelpAbout", "&About...", "", "Information about this program", No, always, nullptr, &M::HelpAboutClick},
};

const std::array<MenuSpec, 6> kMenus = {{
    {"MnuFile", "&File", kFile},
    {"MnuEdit", "&Edit", kEdit},
    {"MnuSearch", "&Search", kSearch},
    {"MnuOptions", "&Options", kOptions},
    {"MnuWindow", "&Window", kWindow},
    {"MnuHelp", "&Help", kHelp},
}};

} // namespace

std::span<const MenuSpec> mainMenus() { return kMenus; }

QList<QKeySequence> keySequences(const char *keys)
{
    QList<QKeySequence> list;
    const QStringList parts = QString::fromLatin1(keys).split(QStringLiteral("; "), Qt::SkipEmptyParts);
    for (const QString &p : parts)
        list << QKeySequence::fromString(p, QKeySequence::PortableText);
    return list;
}

} // namespace verno
