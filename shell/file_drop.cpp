#include "shell/file_drop.h"

#include <QFileInfo>

namespace cartulo::shell {

QStringList ArchivosCartulo(const QList<QUrl>& urls) {
    QStringList files;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        const QString extension = QFileInfo(path).suffix().toLower();
        if (extension == QLatin1String("ctu") || extension == QLatin1String("ct")) {
            files.append(path);
        }
    }
    return files;
}

}  // namespace cartulo::shell
