#include "platform/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/text_codec.h"

namespace cartulo::platform {

std::optional<ClipboardContent> QtClipboard::GetText() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText()) return std::nullopt;
    // Characters the code page cannot hold keep their place as "?", so a card
    // still reads as one and can be refused whole instead of pasted short.
    FromQString converted = fromQString(data->text(), '?');
    return ClipboardContent{std::move(converted.text), !converted.unstorable.empty()};
}

void QtClipboard::SetText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(toQString(text));
}

}  // namespace cartulo::platform
