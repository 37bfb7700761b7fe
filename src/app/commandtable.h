#pragma once
// Every main menu item as designed: name, caption, keys, hint, the pass that
// sets it and its rule, and the frame handler it runs.
#include "app/commandstate.h"

#include <QKeySequence>
#include <QList>
#include <span>

namespace verno {

class TMainWindow;

enum class Pass { None, Status, Menu };
using Rule = bool (*)(const CommandState &);
using Handler = void (TMainWindow::*)();

enum ItemFlag : unsigned {
    Separator = 1,
    Checkable = 2,
    Hidden = 4,
    KeyShownOnly = 8, // an earlier item takes the key; this one only shows it
    NewColumn = 16,
    SubmenuStart = 32, // the item opens the submenu made of the following items
    SubmenuEnd = 64,   // last item of a submenu
};

struct MenuItemSpec {
    const char *name;
    const char *caption;
    const char *keys; // portable key text, alternatives separated by "; "
    const char *hint;
    Pass pass;
    Rule enabled; // nullptr: always enabled
    Rule checked; // nullptr: not checked by a pass
    Handler handler;
    unsigned flags = 0;
};

struct MenuSpec {
    const char *name;
    const char *caption;
    std::span<const MenuItemSpec> items;
};

std::span<const MenuSpec> mainMenus();
QList<QKeySequence> keySequences(const char *keys);

} // namespace verno
