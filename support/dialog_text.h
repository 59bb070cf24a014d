// The texts of the message and input boxes: wrapped to a width, the detail
// text in smaller type, never read as markup.
#pragma once

#include <QFont>
#include <QString>
#include <Qt>

class QLabel;
class QWidget;

namespace cartulo::support {

// Breaks a text into lines no wider than maxWidth: at word boundaries where
// it can, anywhere inside a word too long for a line (a long path, say).
// Line ends in the text (CR LF, LF or CR) are kept; the result's are LF.
QString wrapText(const QString& text, const QFont& font, int maxWidth);

// The font of a detail text: the given one, smaller.
QFont detailFont(QFont font);

// A label showing the text as plain text, wrapped.
QLabel* makeTextLabel(const QString& text, const QFont& font, int maxWidth, Qt::Alignment alignment,
                      QWidget* parent);

}  // namespace cartulo::support
