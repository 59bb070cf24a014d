#include "windows/spell_menu.h"

#include <QAction>
#include <QFont>
#include <QMenu>

namespace cartulo::windows {

void AddSpellEntries(QMenu& menu, const QStringList& suggestions, const SpellMenuActions& actions) {
    QAction* first = menu.actions().isEmpty() ? nullptr : menu.actions().front();
    QList<QAction*> added;
    for (const QString& suggestion : suggestions.mid(0, kMaxSuggestions)) {
        auto* action = new QAction(suggestion, &menu);
        QFont bold = action->font();
        bold.setBold(true);
        action->setFont(bold);
        QObject::connect(action, &QAction::triggered, &menu,
                         [choose = actions.choose, suggestion] { choose(suggestion); });
        added << action;
    }
    if (suggestions.isEmpty()) {
        auto* none = new QAction(QStringLiteral("(sin sugerencias)"), &menu);
        none->setEnabled(false);
        added << none;
    }
    auto* separator = new QAction(&menu);
    separator->setSeparator(true);
    added << separator;
    auto* add = new QAction(QStringLiteral("Añadir al diccionario"), &menu);
    QObject::connect(add, &QAction::triggered, &menu, actions.add);
    auto* ignore = new QAction(QStringLiteral("Ignorar"), &menu);
    QObject::connect(ignore, &QAction::triggered, &menu, actions.ignore);
    added << add << ignore;
    if (first != nullptr) {
        auto* before = new QAction(&menu);
        before->setSeparator(true);
        added << before;
    }
    menu.insertActions(first, added);
}

}  // namespace cartulo::windows
