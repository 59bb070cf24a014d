#include "platform/text_codec.h"

#include "engine/win1252.h"

namespace cartulo::platform {

QString toQString(std::string_view cp1252) {
    QString out;
    out.reserve(static_cast<qsizetype>(cp1252.size()));
    for (char c : cp1252) {
        // Every character of the code page lies in the Basic Multilingual Plane.
        out.append(QChar(static_cast<char16_t>(win1252::toUnicode(static_cast<unsigned char>(c)))));
    }
    return out;
}

FromQString fromQString(const QString& text, std::optional<char> placeholder) {
    FromQString out;
    out.text.reserve(static_cast<std::size_t>(text.size()));
    for (char32_t ch : text.toStdU32String()) {
        const int byte = win1252::fromUnicode(ch);
        if (byte < 0) {
            out.unstorable.push_back(ch);
            if (placeholder) out.text += *placeholder;
        } else {
            out.text += static_cast<char>(byte);
        }
    }
    return out;
}

}  // namespace cartulo::platform
