// The spelling part of the text editor's context menu, in Spanish: the
// dictionary's suggestions, then "Añadir al diccionario" and "Ignorar",
// above the editor's own entries.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QMenu;

namespace cartulo::windows {

struct SpellMenuActions {
    std::function<void(const QString& suggestion)> choose;
    std::function<void()> add;
    std::function<void()> ignore;
};

// The suggestions shown at most.
inline constexpr int kMaxSuggestions = 8;

void AddSpellEntries(QMenu& menu, const QStringList& suggestions, const SpellMenuActions& actions);

}  // namespace cartulo::windows
