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

QAction *MainMenu::addItem(QMenu *menu, const MenuItemSpec &def)
{
    const QString name = QString::fromLatin1(def.name);
    const QList<QKeySequence> keys = keySequences(def.keys);
    QAction *a = nullptr;
    if (def.flags & Separator) {
        a = menu->addSeparator();
    } else {
        if (def.flags & NewColumn)
            menu->addSeparator();
        QString caption = QString::fromLatin1(def.caption);
        a = menu->addAction(caption);
        if (!keys.isEmpty()) {
            if (def.flags & KeyShownOnly) {
                // An earlier item takes this key; showing it here must not
                // register it a second time.
                a->setText(caption + QLatin1Char('\t') + keys.first().toString(QKeySequence::NativeText));
            } else {
                a->setShortcuts(keys);
                a->setShortcutContext(Qt::WindowShortcut);
            }
        }
        a->setStatusTip(QString::fromLatin1(def.hint));
        a->setCheckable(def.flags & Checkable);
        if (def.flags & Hidden)
            a->setVisible(false);
        if (def.handler) {
            const Handler h = def.handler;
            QObject::connect(a, &QAction::triggered, &frame_, [this, h] { (frame_.*h)(); });
        }
    }
    claimed_ << keys;
    a->setObjectName(name);
    hints_.insert(name, QString::fromLatin1(def.hint));
    actions_.insert(name, a);
    if (def.enabled || def.checked)
        ruled_.append({a, &def});
    return a;
}

QString MainMenu::hint(const QString &name) const { return hints_.value(name); }

void MainMenu::apply(const CommandState &state, Pass pass)
{
    for (const Ruled &r : ruled_) {
        // An item with a key is kept current at idle time too, so its key
        // works without a menu having been opened.
        if (r.def->enabled && (r.def->pass == pass || (pass == Pass::Status && *r.def->keys)))
            setIfChanged(r.action, r.def->enabled(state));
        if (r.def->checked && pass == Pass::Menu && r.action->isChecked() != r.def->checked(state))
            r.action->setChecked(r.def->checked(state));
    }
}

int MainMenu::itemCount(const QString &menuName) const
{
    const QMenu *m = menus_.value(menuName);
    return m ? int(m->actions().size()) : 0;
}

} // namespace verno
