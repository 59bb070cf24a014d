#include "platform/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/text_codec.h"

namespace cartulo::platform {

std::optional<std::string> QtClipboard::GetText() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText()) return std::nullopt;
    // A text with characters the code page cannot hold is no text a card
    // can take: leaving them out would paste a card that lost some of it.
    FromQString converted = fromQString(data->text());
    if (!converted.unstorable.empty()) return std::nullopt;
    return std::move(converted.text);
}

void QtClipboard::SetText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(toQString(text));
}

}  // namespace cartulo::platform
