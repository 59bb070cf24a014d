// What a card can hold, checked in the editor before an edit reaches the
// card: only Windows-1252 characters, at most 99,999 characters stored (each
// line end counting as CR LF), and no "@@" at the start except in the main
// card's text. The notices are what the user is told instead.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace cartulo::windows {

struct SoloWin1252 {
    QString text;     // what Windows-1252 can hold, in order
    QString leftOut;  // each character left out, once, in order of appearance
};
SoloWin1252 FiltrarWin1252(QStringView text);

// Line breaks of any platform (CR LF, CR, U+2028, U+2029) as LF.
QString SaltosComoLf(QStringView text);

// Why a card cannot take a text of this stored length (CR LF counted)
// beginning with `start`, or nothing when it can.
std::optional<QString> RechazoTexto(qsizetype storedLength, QStringView start, bool mainText);

// For a typed character the card cannot hold.
QString AvisoCaracterRechazado(const QString& leftOut);
// For a paste that left characters out.
QString AvisoPegadoIncompleto(const QString& leftOut);

}  // namespace cartulo::windows
