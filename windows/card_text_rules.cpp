#include "windows/card_text_rules.h"

#include "engine/cartulo.h"
#include "engine/win1252.h"

namespace cartulo::windows {

namespace {

// The characters named in a notice; a longer list is cut short.
constexpr qsizetype kNamedCharacters = 10;

QString namedCharacters(const QString& leftOut) {
    QString out;
    qsizetype named = 0;
    for (qsizetype i = 0; i < leftOut.size(); ++i) {
        if (named == kNamedCharacters) return out + QStringLiteral(" ...");
        if (!out.isEmpty()) out += u' ';
        out += leftOut[i];
        if (leftOut[i].isHighSurrogate() && i + 1 < leftOut.size()) out += leftOut[++i];
        ++named;
    }
    return out;
}

}  // namespace

SoloWin1252 FiltrarWin1252(QStringView text) {
    SoloWin1252 out;
    out.text.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        QStringView character = text.mid(i, 1);
        char32_t code = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(c, text[i + 1]);
            character = text.mid(i, 2);
            ++i;
        }
        if (win1252::fromUnicode(code) >= 0) {
            out.text += c;
        } else if (!out.leftOut.contains(character)) {
            out.leftOut += character;
        }
    }
    return out;
}

QString SaltosComoLf(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            out += u'\n';
        } else if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
            out += u'\n';
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<QString> RechazoTexto(qsizetype storedLength, QStringView start, bool mainText) {
    if (storedLength > static_cast<qsizetype>(kMaxTextLength)) {
        return QStringLiteral(
                   "Una ficha no puede tener más de %1 caracteres: el cambio no se ha "
                   "hecho.")
            .arg(kMaxTextLength);
    }
    if (!mainText && start.startsWith(u"@@")) {
        return QStringLiteral(
            "El texto de una ficha no puede empezar por «@@»: el cambio no se ha "
            "hecho.");
    }
    return std::nullopt;
}

QString AvisoCaracterRechazado(const QString& leftOut) {
    return QStringLiteral(
               "No se puede escribir %1: una ficha solo guarda los caracteres de "
               "Windows-1252.")
        .arg(namedCharacters(leftOut));
}

QString AvisoPegadoIncompleto(const QString& leftOut) {
    return QStringLiteral(
               "Se ha pegado el texto sin los caracteres que una ficha no puede "
               "guardar: %1")
        .arg(namedCharacters(leftOut));
}

}  // namespace cartulo::windows
