// Card text keeps CR LF line ends; the multi-line editor shows LF. These
// convert texts and positions at that boundary.
#pragma once

#include <QString>
#include <QStringView>

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

}  // namespace cartulo::windows
