// The main window's toolbar: eleven buttons, each sending its key as a
// command word.
#pragma once

#include <QString>
#include <functional>
#include <span>

class QToolBar;
class QWidget;

namespace cartulo::shell {

struct ToolButtonInfo {
    const char* key;   // the command word it sends
    const char* text;  // tooltip and description
    int image;         // drawn_icons.h
    bool separatorBefore;
};

std::span<const ToolButtonInfo> ToolButtons();

// Empties `toolbar` and adds the buttons; a click calls `onClick` with the key.
void LlenarBarraHerramientas(QToolBar& toolbar, std::function<void(const QString&)> onClick);

}  // namespace cartulo::shell
