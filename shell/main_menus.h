// The main window's menus built from the item table: one QAction per item,
// debug-only items shown only with the "debug" switch, and the enabled state
// applied from the facts of the active window.
#pragma once

#include <QString>
#include <array>
#include <functional>
#include <map>

#include "shell/menu_items.h"
#include "shell/menu_state.h"

class QAction;
class QMenu;
class QMenuBar;

namespace cartulo::shell {

class MenusPrincipales {
  public:
    static constexpr int kMenuCount = 6;

    MenusPrincipales(QMenuBar& bar, bool debug, std::function<void(MenuItem)> onItem);

    QMenu* MenuOf(Menu menu) const { return menus_[static_cast<int>(menu)]; }
    QAction* Action(MenuItem item) const { return actions_.at(item); }
    // Enables each item of `menu` by the rules of menu_state.h.
    void Apply(Menu menu, const ActiveWindowInfo& info);

  private:
    std::array<QMenu*, kMenuCount> menus_{};
    std::map<MenuItem, QAction*> actions_;
};

// The caption without the shortcut shown beside it.
QString CaptionOf(const QAction& action);

}  // namespace cartulo::shell
