// The main window's keyboard shortcuts: which key, with which of Shift, Ctrl
// and Alt, runs which menu item or deferred command. The main window sees
// every key of its windows first (frm_main_keys.cpp) and looks it up here.
#pragma once

#include <QString>
#include <Qt>
#include <optional>

#include "shell/menu_items.h"

namespace cartulo::shell {

struct Shortcut {
    enum class Kind {
        Item,             // runs the menu item when it is enabled
        DeferredCommand,  // runs the command after the key (ComandoEspera)
        ToggleMenuBar,
    };
    Kind kind = Kind::Item;
    MenuItem item = MenuItem::AyudaAcercaDe;
    QString word;                          // DeferredCommand
    std::optional<int> argument;           // DeferredCommand
    std::optional<MenuItem> onlyWhenItem;  // DeferredCommand: only when this item is enabled
};

// The shortcut of a key with exactly these modifiers (Shift, Ctrl, Alt; the
// keypad flag is ignored), or nothing.
std::optional<Shortcut> FindShortcut(int key, Qt::KeyboardModifiers modifiers);

}  // namespace cartulo::shell
