// Qt's own texts (the file dialogs, standard buttons, the context menu of
// every text field) in Spanish like the rest of the program, whatever the
// system's language.
#pragma once

#include <QString>
#include <QTranslator>
#include <memory>

namespace cartulo::shell {

// Installs Qt's Spanish translation from `folder` (Qt's own translations
// folder when empty). Null when it cannot be loaded: Qt's English texts
// stay. Destroying the translator uninstalls it.
std::unique_ptr<QTranslator> InstalarTraduccionQt(const QString& folder = {});

}  // namespace cartulo::shell
