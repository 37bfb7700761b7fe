#include "app/popupstate.h"
#include "app/mainmenu.h"

#include <QAction>
#include <QMenu>

namespace verno {

namespace {

void enable(QMenu *popup, const char *name, bool on)
{
    if (auto *a = popup->findChild<QAction *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly))
        setIfChanged(a, on);
}

void check(QMenu *popup, const char *name, bool on)
{
    if (auto *a = popup->findChild<QAction *>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
        a && a->isChecked() != on)
        a->setChecked(on);
}

} // namespace

void applyPopupState(QMenu *popup, const CommandState &s)
{
    if (!popup)
        return;
    const bool editable = !s.IsReadOnly;
    enable(popup, "PopUndo", s.CanUndo);
    enable(popup, "PopRedo", s.CanRedo);
    enable(popup, "PopCut", s.HasSelection && editable);
    enable(popup, "PopCopy", s.HasSelection);
    enable(popup, "PopPaste", s.ClipboardHasText && editable);
    enable(popup, "PopDelete", s.HasSelection && editable);
    for (const char *name : {"PopSelectAll", "PopChangeCase", "PopUpperCase", "PopLowerCase",
                             "PopInitialCaps", "PopShiftRight", "PopShiftLeft", "PopFind"})
        enable(popup, name, s.HasText);
    enable(popup, "PopReplace", s.HasText && editable);
    check(popup, "PopIndent", s.IsAutoIndent);
    check(popup, "PopWordWrap", s.IsWordWrap);
    check(popup, "PopReadOnly", s.IsReadOnly);
    check(popup, "PopUtf8", s.IsUtf8);
}

void applySearchAgainState(QMenu *popup, const CommandState &s)
{
    if (popup)
        enable(popup, "PopFindAgain", s.CanSearchAgain);
}

} // namespace verno
