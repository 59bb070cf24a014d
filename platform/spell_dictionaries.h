// The Hunspell dictionaries installed on the system: a pair of files NAME.aff
// and NAME.dic in one folder (Debian's hunspell-es puts es_ES and its
// sisters in /usr/share/hunspell).
#pragma once

#include <QString>
#include <QStringList>

namespace cartulo::platform {

inline const QString kDictionaryFolder = QStringLiteral("/usr/share/hunspell");
inline const QString kDefaultDictionary = QStringLiteral("es_ES");

// The names of the dictionaries in the folder, sorted; empty when there is
// none or the folder cannot be read.
QStringList InstalledDictionaries(const QString& folder = kDictionaryFolder);

// The dictionary to use of those installed: the one asked for, else the
// default, else the first; empty when none is installed.
QString ChooseDictionary(const QStringList& installed, const QString& wanted);

}  // namespace cartulo::platform
