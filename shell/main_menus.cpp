#include "shell/main_menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace cartulo::shell {

MenusPrincipales::MenusPrincipales(QMenuBar& bar, bool debug,
                                   std::function<void(MenuItem)> onItem) {
    for (int i = 0; i < kMenuCount; ++i) {
        const auto menu = static_cast<Menu>(i);
        menus_[i] = bar.addMenu(MenuCaption(menu));
        menus_[i]->setObjectName(MenuObjectName(menu));
    }
    for (const MenuItemInfo& info : MenuItems()) {
        QMenu* menu = menus_[static_cast<int>(info.menu)];
        const bool visible = debug || !info.debugOnly;
        if (info.separatorBefore && !menu->actions().isEmpty()) {
            menu->addSeparator()->setVisible(visible);
        }
        // The shortcut after a tab is only shown: the keys themselves go
        // through the main window's own handling, where its rules apply.
        QString text = QString::fromUtf8(info.caption);
        if (*info.shortcut != '\0') text += u'\t' + QString::fromUtf8(info.shortcut);
        QAction* action = menu->addAction(text);
        action->setVisible(visible);
        const MenuItem item = info.item;
        QObject::connect(action, &QAction::triggered, menu, [onItem, item] { onItem(item); });
        actions_[item] = action;
    }
    actions_.at(MenuItem::VentanaPantallaCompleta)->setCheckable(true);
}

void MenusPrincipales::Apply(Menu menu, const ActiveWindowInfo& info) {
    for (const MenuItemInfo& entry : MenuItems()) {
        if (entry.menu == menu) actions_.at(entry.item)->setEnabled(ItemEnabled(entry.item, info));
    }
}

QString CaptionOf(const QAction& action) {
    return action.text().section(u'\t', 0, 0);
}

}  // namespace cartulo::shell
