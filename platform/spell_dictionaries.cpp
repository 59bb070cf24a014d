#include "platform/spell_dictionaries.h"

#include <QDir>
#include <QFileInfo>

namespace cartulo::platform {

QStringList InstalledDictionaries(const QString& folder) {
    QStringList names;
    const QDir dir(folder);
    for (const QFileInfo& aff : dir.entryInfoList({QStringLiteral("*.aff")}, QDir::Files)) {
        const QString name = aff.completeBaseName();
        if (QFileInfo(dir.filePath(name + QStringLiteral(".dic"))).isFile()) names << name;
    }
    names.sort();
    return names;
}

QString ChooseDictionary(const QStringList& installed, const QString& wanted) {
    if (installed.contains(wanted)) return wanted;
    if (installed.contains(kDefaultDictionary)) return kDefaultDictionary;
    return installed.isEmpty() ? QString() : installed.front();
}

}  // namespace cartulo::platform
