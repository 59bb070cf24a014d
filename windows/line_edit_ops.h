// The editing words on a one-line field, and the plain-text clipboard they
// share with the card window's text editor.
#pragma once

#include <QString>
#include <optional>

#include "windows/text_edit.h"

class QLineEdit;

namespace cartulo::windows {

// Clears the system clipboard and puts the text on it; nothing when empty.
void CopiarAlPortapapeles(const QString& text);
// The clipboard's plain text, or nothing when it holds none.
std::optional<QString> TextoDelPortapapeles();

TextField LeerLinea(const QLineEdit& edit);
// Applies the field's text as one replacement (so the field's undo takes it
// back) and then its selection.
void EscribirLinea(QLineEdit& edit, const TextField& field);
// Replaces the selection; line breaks become blanks.
void InsertarEnLinea(QLineEdit& edit, const QString& text);
// Deletes the selection, if there is one.
void EliminarSeleccion(QLineEdit& edit);

}  // namespace cartulo::windows
