#include "dialogs/childlist.h"
#include "dialogs/filelisthost.h"
#include "platform/toolicons.h"
#include "platform/windowarranger.h"

#include <QAction>
#include <QKeyEvent>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace verno {

namespace {

// Small window pictures for the arrange buttons: rectangles on a 16x16 grid.
QIcon windowsIcon(std::initializer_list<QRect> windows)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    for (const QRect &r : windows) {
        p.fillRect(r, Qt::white);
        p.fillRect(QRect(r.left(), r.top(), r.width(), 3), QColor(0, 0, 128));
        p.setPen(Qt::black);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    return QIcon(pixmap);
}

// Sorted lists compare upper-cased texts.
bool sortsBefore(const QString &a, const QString &b) { return a.toUpper() < b.toUpper(); }

constexpr int kWindowRole = Qt::UserRole;

// Window repaints held back while states change in a batch, also when a step fails.
class BatchRepaint {
public:
    explicit BatchRepaint(QWidget &w) : w_(w) { w_.setUpdatesEnabled(false); }
    ~BatchRepaint() { w_.setUpdatesEnabled(true); }
    BatchRepaint(const BatchRepaint &) = delete;
    BatchRepaint &operator=(const BatchRepaint &) = delete;

private:
    QWidget &w_;
};

} // namespace

QString childListLabel(const QString &fullName, bool minimized)
{
    return minimized ? QLatin1Char('[') + fullName + QLatin1Char(']') : QLatin1Char(' ') + fullName + QLatin1Char(' ');
}

TChildList::TChildList(QWidget *parent, FileListHost &host, int &width, int &height)
    : SizedDialog(parent, width, height), host_(host)
{
    setObjectName(QStringLiteral("ChildList"));
    setWindowTitle(QStringLiteral("File list"));
    setMinimumHeight(120);
    resize(width, height);
    buildControls();
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            activateEntry(row, false);
    });
    connect(list_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem *item) { activateEntry(list_->row(item), true); });
}

void TChildList::buildControls()
{
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMinimumWidth(204);
    bar->setIconSize(QSize(16, 16));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("FileListBox"));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopMenu"));
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { popup_->popup(list_->viewport()->mapToGlobal(pos)); });

    struct Item {
        const char *button, *hint, *popup, *caption;
        QIcon icon;
        void (TChildList::*handler)();
        bool separatorAfter;
    };
    QStyle *s = style();
    const Item items[] = {
        {"BbtCancel", "Cancel", nullptr, nullptr, s->standardIcon(QStyle::SP_DialogCancelButton), &TChildList::CancelClick, false},
        {"BtnOK", "OK", nullptr, nullptr, s->standardIcon(QStyle::SP_DialogOkButton), &TChildList::SelectClick, false},
        {"BtnSave", "Save File", "PopSave", "Save", toolIcon(QStringLiteral("BtnFileSave")), &TChildList::SaveClick, true},
        {"BtnTileDown", "Tile Down", "PopTileDown", "Tile Down", windowsIcon({{1, 1, 14, 7}, {1, 8, 14, 7}}), &TChildList::TileDownClick, false},
        {"BtnTileAcross", "Tile Across", "PopTileAcross", "Tile Across", windowsIcon({{1, 1, 7, 14}, {8, 1, 7, 14}}), &TChildList::TileAcrossClick, false},
        {"BtnCascade", "Cascade", "PopCascade", "Cascade", windowsIcon({{1, 1, 10, 9}, {5, 6, 10, 9}}), &TChildList::CascadeClick, true},
        {"BtnMinimize", "Minimize", "PopMinimize", "Minimize", s->standardIcon(QStyle::SP_TitleBarMinButton), &TChildList::MinimizeClick, false},
        {"BtnNormal", "Show Normal", "PopNormal", "Show Normal", s->standardIcon(QStyle::SP_TitleBarNormalButton), &TChildList::NormalClick, false},
        {"BtnClose", "Close Window", "PopClose", "Close Window", s->standardIcon(QStyle::SP_TitleBarCloseButton), &TChildList::CloseClick, false},
    };
    for (const Item &i : items) {
        QAction *a = bar->addAction(i.icon, QString::fromLatin1(i.hint));
        a->setObjectName(QLatin1String(i.button));
        connect(a, &QAction::triggered, this, i.handler);
        if (!i.popup)
            continue;
        QAction *p = popup_->addAction(QString::fromLatin1(i.caption));
        p->setObjectName(QLatin1String(i.popup));
        connect(p, &QAction::triggered, this, i.handler);
        if (i.separatorAfter)
            popup_->addSeparator();
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(list_, 1);
}

void TChildList::hideEvent(QHideEvent *event)
{
    list_->clear();
    SizedDialog::hideEvent(event);
}

// Esc is the Cancel button and Enter the OK button.
void TChildList::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape: CancelClick(); break;
    case Qt::Key_Return:
    case Qt::Key_Enter: SelectClick(); break;
    default: QDialog::keyPressEvent(event);
    }
}

void TChildList::FormShow()
{
    const QSignalBlocker quiet(list_);
    list_->clear();
    QMdiSubWindow *active = host_.activeFileWindow();
    remembered_ = active;
    for (QMdiSubWindow *w : host_.fileWindows())
        addEntry(w);
    for (int row = 0; row < list_->count(); ++row) {
        if (windowAt(row) == active) {
            list_->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
            break;
        }
    }
    list_->setFocus();
}

void TChildList::addEntry(QMdiSubWindow *w)
{
    const QString label = childListLabel(host_.fullNameOf(w), w->isMinimized());
    int row = 0;
    while (row < list_->count() && !sortsBefore(label, list_->item(row)->text()))
        ++row;
    auto *item = new QListWidgetItem(label);
    item->setData(kWindowRole, QVariant::fromValue(static_cast<QObject *>(w)));
    list_->insertItem(row, item);
}

QStringList TChildList::labels() const
{
    QStringList result;
    for (int row = 0; row < list_->count(); ++row)
        result << list_->item(row)->text();
    return result;
}

QMdiSubWindow *TChildList::windowAt(int row) const
{
    const QListWidgetItem *item = list_->item(row);
    auto *w = item ? qobject_cast<QMdiSubWindow *>(item->data(kWindowRole).value<QObject *>()) : nullptr;
    // Only windows that are still open count.
    return host_.fileWindows().contains(w) ? w : nullptr;
}

QList<QMdiSubWindow *> TChildList::selectedWindows() const
{
    QList<QMdiSubWindow *> result;
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->isSelected())
            if (QMdiSubWindow *w = windowAt(row))
                result << w;
    return result;
}

void TChildList::activate(QMdiSubWindow *w)
{
    host_.showFileWindow(w);
}

void TChildList::activateEntry(int row, bool close)
{
    activate(windowAt(row));
    if (close)
        accept();
}

void TChildList::CancelClick()
{
    if (remembered_)
        activate(remembered_);
    reject();
}

void TChildList::SaveClick()
{
    for (QMdiSubWindow *w : selectedWindows())
        if (!host_.saveFileWindow(w))
            return;
}

void TChildList::CloseClick()
{
    if (selectedWindows().isEmpty())
        return;
    const QSignalBlocker quiet(list_);
    for (int row = list_->count() - 1; row >= 0; --row) {
        if (!list_->item(row)->isSelected())
            continue;
        if (QMdiSubWindow *w = windowAt(row)) {
            if (w == remembered_)
                remembered_.clear();
            w->close();
        }
        delete list_->takeItem(row);
    }
    accept();
}

void TChildList::setStates(bool normal)
{
    QList<QMdiSubWindow *> windows = selectedWindows();
    if (windows.isEmpty())
        windows = host_.fileWindows();
    {
        BatchRepaint batch(*host_.mdiArea()->window());
        UnmaximizedActivation guard(*host_.mdiArea());
        for (QMdiSubWindow *w : windows)
            normal ? w->showNormal() : w->showMinimized();
    }
    accept();
}

template <typename Arrange> void TChildList::arrange(Arrange &&run)
{
    const QList<QMdiSubWindow *> selected = selectedWindows();
    QMdiSubWindow *active = host_.activeFileWindow();
    {
        BatchRepaint batch(*host_.mdiArea()->window());
        UnmaximizedActivation guard(*host_.mdiArea());
        for (QMdiSubWindow *w : host_.fileWindows())
            selected.contains(w) ? w->showNormal() : w->showMinimized();
    }
    // Minimizing hands the activation on, possibly to another minimized
    // window: the typing goes on in one of the arranged windows instead.
    if (!selected.isEmpty())
        activate(selected.contains(active) ? active : selected.first());
    run();
    accept();
}

void TChildList::TileDownClick() { arrange([this] { host_.WinTileDownClick(); }); }
void TChildList::TileAcrossClick() { arrange([this] { host_.WinTileAcrossClick(); }); }
void TChildList::CascadeClick() { arrange([this] { host_.WinCascadeClick(); }); }

} // namespace verno
