#include "shell/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace cartulo::shell {

std::unique_ptr<QTranslator> InstalarTraduccionQt(const QString& folder) {
    const QString from =
        folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_es"), from)) return nullptr;
    if (!QCoreApplication::installTranslator(translator.get())) return nullptr;
    return translator;
}

}  // namespace cartulo::shell
