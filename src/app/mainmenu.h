#pragma once
#include "app/commandtable.h"

#include <QHash>
#include <QList>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;

namespace verno {

class TMainWindow;

// The main menu built from the command table. Keeps the items by name and sets
// their enabled and checked states for each pass, touching only what changed.
class MainMenu {
public:
    MainMenu(TMainWindow &frame, QMenuBar *bar);

    QAction *action(const QString &name) const { return actions_.value(name); }
    QMenu *menu(const QString &name) const { return menus_.value(name); }
    QString hint(const QString &name) const;
    // Every key the menu claims, taken or only shown.
    QList<QKeySequence> claimedKeys() const { return claimed_; }
    void apply(const CommandState &state, Pass pass);
    int itemCount(const QString &menuName) const;

private:
    QAction *addItem(QMenu *menu, const MenuItemSpec &def);

    TMainWindow &frame_;
    QHash<QString, QAction *> actions_;
    QHash<QString, QMenu *> menus_;
    QHash<QString, QString> hints_;
    struct Ruled {
        QAction *action;
        const MenuItemSpec *def;
    };
    QList<Ruled> ruled_;
    QList<QKeySequence> claimed_;
};

void setIfChanged(QAction *action, bool enabled);

} // namespace verno
