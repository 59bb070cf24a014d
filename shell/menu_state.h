// When a menu item is enabled: what the active child window and the open
// files allow. The facts are gathered from the active window (menu_state.cpp
// asks it through the child-window protocol); the rules are a pure function.
#pragma once

#include "shell/menu_items.h"

namespace cartulo::windows {
class ChildWindow;
}

namespace cartulo::shell {

struct ActiveWindowInfo {
    int openFiles = 0;
    bool hasFile = false;     // the active child window has a card file
    bool isCard = false;      // it is a card window
    bool isMainCard = false;  // ... showing its file's main card
    bool permiteEdicion = false;
    bool permiteBusqueda = false;
    bool multiLine = false;  // asked only when editing is allowed
    bool seleccion = false;  // a non-empty selection; asked only when editing is allowed
    bool clipboardText = false;
};

bool ItemEnabled(MenuItem item, const ActiveWindowInfo& info);

// The editing facts, from the child's answers to "PermiteEdicion",
// "PermiteBusqueda", "MultiLine" and "Seleccion"; no child, or no answer,
// counts as false.
void AskEditingFacts(windows::ChildWindow* child, ActiveWindowInfo& info);

}  // namespace cartulo::shell
