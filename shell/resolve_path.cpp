#include "shell/resolve_path.h"

#include <QStringView>

#include <algorithm>

namespace cartulo::shell {

QString ResolvePath(const QString& path, const QString& base) {
    constexpr QChar kSeparator = u'/';
    if (path.startsWith(kSeparator)) return path;
    // The result never ends in "/"; the root is kept as "" until the end.
    QString result = base;
    while (result.endsWith(kSeparator)) result.chop(1);
    for (const QStringView part : QStringView(path).tokenize(kSeparator)) {
        if (part.isEmpty() || part == u".") continue;
        if (part == u"..") {
            result.truncate(std::max<qsizetype>(result.lastIndexOf(kSeparator), 0));
            continue;
        }
        result += kSeparator;
        result += part;
    }
    return result.isEmpty() ? QString(kSeparator) : result;
}

}  // namespace cartulo::shell
