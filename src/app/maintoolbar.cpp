#include "app/maintoolbar.h"
#include "app/commandtable.h"
#include "app/mainmenu.h"
#include "app/mainwindow.h"
#include "platform/toolicons.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

namespace verno {

namespace {

using M = TMainWindow;

struct ButtonSpec {
    const char *name;
    const char *hint;
    Handler handler;
    const char *twin; // menu item whose enabled state the button takes
    bool toggle;
    bool groupEnd;
};

const ButtonSpec kButtons[] = {
    {"BtnFileExit", "Exit|Exit the application", &M::FileExitClick, nullptr, false, true},
    {"BtnFileNew", "New|Create new empty edit window", &M::FileNewClick, nullptr, false, false},
    {"BtnFileOpen", "Open|Open existing text file", &M::FileOpenClick, nullptr, false, false},
    {"BtnFileSave", "Save|Save current edit window to disk, using its current name", &M::FileSaveClick, "MnuFileSave", false, false},
    {"BtnFileSaveAll", "Save All|Save all open edit windows to disk", &M::FileSaveAllClick, nullptr, false, true},
    {"BtnFilePrint", "Print|Print all text in current edit window", &M::FilePrintBtnClick, nullptr, false, true},
    {"BtnEditCut", "Cut|Cut selected text to clipboard", &M::EditCutClick, "MnuEditCut", false, false},
    {"BtnEditCopy", "Copy|Copy selected text to clipboard", &M::EditCopyClick, "MnuEditCopy", false, false},
    {"BtnEditPaste", "Paste|Paste text from clipboard", &M::EditPasteClick, "MnuEditPaste", false, true},
    {"BtnEditChangeCase", "Change Case|Invert upper/lower case", &M::EditChangeCaseClick, "MnuEditChangeCase", false, false},
    {"BtnEditUpperCase", "Upper case|Change to upper case", &M::EditUpperCaseClick, "MnuEditUpperCase", false, false},
    {"BtnEditLowerCase", "Lower case|Change to lower case", &M::EditLowerCaseClick, "MnuEditLowerCase", false, false},
    {"BtnEditInitialCaps", "Inital Caps|Set initial word characters to upper case", &M::EditInitialCapsClick, "MnuEditInitialCaps", false, true},
    {"BtnFind", "Find|Find a string", &M::FindClick, "MnuFind", false, false},
    {"BtnFindReplace", "Replace|Replace a string by another", &M::FindReplaceClick, "MnuFindReplace", false, false},
    {"BtnFindAgain", "Search Again|Repeat the last Find or Replace action", &M::FindAgainClick, "MnuFindAgain", false, true},
    {"BtnOptFont", "Font|Select default display font", &M::BtnOptFontClick, nullptr, false, false},
    {"BtnOptWordWrap", "Word Wrap|Toggle word wrap for the active edit window", &M::OptWordWrapClick, nullptr, true, false},
    {"BtnOptReadOnly", "Read Only|Toggle read-only mode for the active edit window", &M::OptReadOnlyClick, "MnuOptReadonly", true, false},
    {"BtnOptROAll", "Read Only All|Toggle read-only mode for all edit windows", &M::OptReadOnlyAllClick, nullptr, true, false},
    {"BtnAdjust", "Adjust", &M::BtnAdjustClick, nullptr, false, false},
};

void setChecked(QToolButton *b, bool on)
{
    if (b->isChecked() != on)
        b->setChecked(on);
}

void setEnabled(QToolButton *b, bool on)
{
    if (b->isEnabled() != on)
        b->setEnabled(on);
}

} // namespace

QString shortHint(const QString &hint) { return hint.section(QLatin1Char('|'), 0, 0); }

QString longHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

MainToolBar::MainToolBar(TMainWindow &frame) : frame_(frame), bar_(new QToolBar(&frame))
{
    bar_->setObjectName(QStringLiteral("PnlToolBar"));
    bar_->setMovable(false);
    bar_->setFloatable(false);
    bar_->setIconSize(QSize(20, 20));
    bar_->setMinimumWidth(434);
    bar_->setContentsMargins(2, 0, 0, 0);
    bar_->toggleViewAction()->setVisible(false);
    bar_->setContextMenuPolicy(Qt::PreventContextMenu);
    for (const ButtonSpec &def : kButtons) {
        auto *b = new QToolButton(bar_);
        const QString name = QString::fromLatin1(def.name);
        b->setObjectName(name);
        b->setIcon(toolIcon(name));
        b->setIconSize(QSize(20, 20));
        b->setAutoRaise(true);
        b->setFixedSize(24, 22);
        b->setCheckable(def.toggle);
        // A button holding the focus would take the Space and Enter meant for the text.
        b->setFocusPolicy(Qt::NoFocus);
        QAction *holder = bar_->addWidget(b);
        holder->setObjectName(name + QStringLiteral("Item"));
        buttons_.insert(name, b);
        setButtonHint(name, QString::fromLatin1(def.hint));
        if (def.handler) {
            const Handler h = def.handler;
            QObject::connect(b, &QToolButton::clicked, &frame, [this, h] { (frame_.*h)(); });
        }
        if (def.groupEnd) {
            auto *gap = new QWidget(bar_);
            gap->setFixedWidth(5);
            bar_->addWidget(gap);
        }
        if (name == QLatin1String("BtnAdjust"))
            holder->setVisible(false);
    }
    buttons_.value(QStringLiteral("BtnOptReadOnly"))->setEnabled(false);
}

void MainToolBar::setButtonHint(const QString &name, const QString &hint)
{
    QToolButton *b = buttons_.value(name);
    if (!b || hints_.value(name) == hint)
        return;
    hints_.insert(name, hint);
    b->setStatusTip(longHint(hint));
    b->setToolTip(hintsShown_ ? shortHint(hint) : QString());
}

void MainToolBar::setHintsShown(bool shown)
{
    hintsShown_ = shown;
    for (auto it = buttons_.cbegin(); it != buttons_.cend(); ++it)
        it.value()->setToolTip(shown ? shortHint(hints_.value(it.key())) : QString());
}

void MainToolBar::apply(const CommandState &s)
{
    for (const ButtonSpec &def : kButtons) {
        if (!def.twin)
            continue;
        if (QAction *twin = frame_.menu().action(QString::fromLatin1(def.twin)))
            setEnabled(buttons_.value(QString::fromLatin1(def.name)), twin->isEnabled());
    }
    setEnabled(buttons_.value(QStringLiteral("BtnFileSaveAll")), s.HasWindow);
    setEnabled(buttons_.value(QStringLiteral("BtnFilePrint")), s.HasText);
    setChecked(buttons_.value(QStringLiteral("BtnOptWordWrap")), s.HasWindow && s.IsWordWrap);
    setChecked(buttons_.value(QStringLiteral("BtnOptReadOnly")), s.HasWindow && s.IsReadOnly);
    setChecked(buttons_.value(QStringLiteral("BtnOptROAll")), s.ReadOnlyAll);
}

} // namespace verno
