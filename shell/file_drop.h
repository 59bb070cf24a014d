// Files dragged onto the main window: only card files are taken.
#pragma once

#include <QList>
#include <QStringList>
#include <QUrl>

namespace cartulo::shell {

// The local files whose extension, lower-cased, is "ctu" or "ct", in the
// order given.
QStringList ArchivosCartulo(const QList<QUrl>& urls);

}  // namespace cartulo::shell
