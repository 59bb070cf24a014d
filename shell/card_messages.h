// The questions and messages of the card commands of the main window.
#pragma once

#include <QString>

#include "engine/cartulo.h"
#include "support/user_dialogs.h"

namespace cartulo::shell {

enum class NuevaClase { Ficha, Hermana, Maestra };

// NewCard or NewAlias refused with `code` (kNoRoom, kUnstorableEntry, ...).
support::MessageRequest MensajeFichaNoCreada(NuevaClase kind, CardId code);
// "¿Desea borrar la ficha " + entry + "?"
support::MessageRequest PreguntaBorrarFicha(const QString& entry);
// The main card holds the file's title and cannot be deleted.
support::MessageRequest MensajeFichaPrincipalNoSeBorra();

}  // namespace cartulo::shell
