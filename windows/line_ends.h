// Card text keeps CR LF line ends; the multi-line editor shows LF. These
// convert texts and positions at that boundary.
#pragma once

#include <QString>
#include <QStringView>
#include <string_view>

namespace cartulo::windows {

// Every LF becomes CR LF.
QString ConCrLf(QStringView lf);
// Every CR LF, and every CR left alone, becomes LF.
QString SoloLf(QStringView crlf);
// The position in ConCrLf(lf) of position `pos` of `lf`.
qsizetype PosicionConCrLf(QStringView lf, qsizetype pos);
// The position in SoloLf(crlf) of position `pos` of `crlf`; a position
// between a CR and its LF maps to the line end.
qsizetype PosicionSoloLf(QStringView crlf, qsizetype pos);
// Characters the text takes in a card: each LF counts as CR LF.
qsizetype LongitudConCrLf(QStringView lf);

// A card's stored text (Windows-1252 bytes) keeps the line ends it has, CR
// LF, lone CR or lone LF; its editor shows each of them as one LF. The
// position in `stored` of position `pos` of what the editor shows.
qsizetype PosicionGuardada(std::string_view stored, qsizetype pos);

// An edit of the stored text: the bytes [from, to) become `text`.
struct CambioGuardado {
    qsizetype from = 0;
    qsizetype to = 0;
    QString text;  // with CR LF line ends
};
// What an edit that took the editor from `before` (the stored text as the
// editor shows it) to `after` does to the stored text: only the span that
// changed is replaced, and only its new line ends become CR LF; every other
// byte is kept as it was.
CambioGuardado CambioEnGuardado(std::string_view stored, QStringView before, QStringView after);

}  // namespace cartulo::windows
