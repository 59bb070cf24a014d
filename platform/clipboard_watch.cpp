#include "platform/clipboard_watch.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace cartulo::platform {

ClipboardWatch::ClipboardWatch(std::function<void()> changed) {
    connection_ = QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged,
                                   [changed = std::move(changed)] { changed(); });
}

ClipboardWatch::~ClipboardWatch() {
    QObject::disconnect(connection_);
}

QImage ClipboardPicture() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    // Only a picture is converted: text alone costs nothing here.
    if (data == nullptr || !data->hasImage()) return {};
    return QGuiApplication::clipboard()->image();
}

}  // namespace cartulo::platform
