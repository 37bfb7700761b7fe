#include "app/mainmenu.h"
#include "app/mainwindow.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace verno {

void setIfChanged(QAction *action, bool enabled)
{
    if (action->isEnabled() != enabled)
        action->setEnabled(enabled);
}

MainMenu::MainMenu(TMainWindow &frame, QMenuBar *bar) : frame_(frame)
{
    bar->setObjectName(QStringLiteral("MnuMainWindow"));
    for (const MenuSpec &m : mainMenus()) {
        QMenu *menu = bar->addMenu(QString::fromLatin1(m.caption));
        menu->setObjectName(QString::fromLatin1(m.name));
        menu->setToolTipsVisible(false);
        menus_.insert(menu->objectName(), menu);
        QObject::connect(menu, &QMenu::aboutToShow, &frame, [this] { frame_.UpdateCommandState(true); });
        QMenu *target = menu;
        for (const MenuItemSpec &item : m.items) {
            if (item.flags & SubmenuStart) {
                QMenu *sub = target->addMenu(QString::fromLatin1(item.caption));
                sub->setObjectName(QString::fromLatin1(item.name));
                sub->menuAction()->setObjectName(QString::fromLatin1(item.name));
                sub->menuAction()->setStatusTip(QString::fromLatin1(item.hint));
                hints_.insert(sub->objectName(), QString::fromLatin1(item.hint));
                menus_.insert(sub->objectName(), sub);
                QObject::connect(sub, &QMenu::aboutToShow, &frame, [this] { frame_.UpdateCommandState(true); });
                target = sub;
                continue;
            }
            addItem(target, item);
            if (item.flags & SubmenuEnd)
                target = menu;
        }
    }
}

QAction *MainMenu::addItem(QMenu *menu, const MenuItemSpec &spec)
{
    const QString name = QString::fromLatin1(spec.name);
    const QList<QKeySequence> keys = keySequences(spec.keys);
    QAction *a = nullptr;
    if (spec.flags & Separator) {
        a = menu->addSeparator();
    } else {
        if (spec.flags & NewColumn)
            menu->addSeparator();
        QString caption = QString::fromLatin1(spec.caption);
        a = menu->addAction(caption);
        if (!keys.isEmpty()) {
            if (spec.flags & KeyShownOnly) {
                // An earlier item takes this key; showing it here must not
                // register it a second time.
                a->setText(caption + QLatin1Char('\t') + keys.first().toString(QKeySequence::NativeText));
            } else {
                a->setShortcuts(keys);
                a->setShortcutContext(Qt::WindowShortcut);
            }
        }
        a->setStatusTip(QString::fromLatin1(spec.hint));
        a->setCheckable(spec.flags & Checkable);
        if (spec.flags & Hidden)
            a->setVisible(false);
        if (spec.handler) {
            const Handler h = spec.handler;
            QObject::connect(a, &QAction::triggered, &frame_, [this, h] { (frame_.*h)(); });
        }
    }
    claimed_ << keys;
    a->setObjectName(name);
    hints_.insert(name, QString::fromLatin1(spec.hint));
    actions_.insert(name, a);
    if (spec.enabled || spec.checked)
        ruled_.append({a, &spec});
    return a;
}

QString MainMenu::hint(const QString &name) const { return hints_.value(name); }

void MainMenu::apply(const CommandState &state, Pass pass)
{
    for (const Ruled &r : ruled_) {
        // An item with a key is kept current at idle time too, so its key
        // works without a menu having been opened.
        if (r.spec->enabled && (r.spec->pass == pass || (pass == Pass::Status && *r.spec->keys)))
            setIfChanged(r.action, r.spec->enabled(state));
        if (r.spec->checked && pass == Pass::Menu && r.action->isChecked() != r.spec->checked(state))
            r.action->setChecked(r.spec->checked(state));
    }
}

int MainMenu::itemCount(const QString &menuName) const
{
    const QMenu *m = menus_.value(menuName);
    return m ? int(m->actions().size()) : 0;
}

} // namespace verno
