// Line-oriented editing of any text field: widening the selection to whole
// lines, indenting and unindenting the selected lines, and starting a new
// line with the indentation of the one before. They work on a copy of the
// field's text and selection, so the windows apply the result and tests need
// no widget.
#pragma once

#include <QString>

namespace cartulo::windows {

// Blanks added or taken away per level of indentation.
inline constexpr qsizetype kAnchoIdentado = 4;

// A text field's contents with CR LF line ends, and its selection (0-based).
struct TextField {
    QString text;
    qsizetype selStart = 0;
    qsizetype selLength = 0;
};

// Widens the selection to whole lines. A selection that already ends with a
// line break keeps its end.
void SeleccionarLineas(TextField& field);

// Widens the selection to whole lines and puts `width` blanks after the
// leading blanks and tabs of each of them; a last line that is empty or all
// blanks is left alone. The block stays selected.
void IdentarSeleccion(TextField& field, qsizetype width = kAnchoIdentado);

// Widens the selection to whole lines and takes from each line the blanks
// after its last leading tab: all of them when fewer than `width`, else
// `width`. A line whose leading run ends with a tab keeps it. The block stays
// selected.
void DesidentarSeleccion(TextField& field, qsizetype width = kAnchoIdentado);

// Right after a line break was typed: inserts at the caret the leading blanks
// and tabs of the line before it.
void RepetirIdentado(TextField& field);

}  // namespace cartulo::windows
