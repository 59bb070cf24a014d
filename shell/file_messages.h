// The questions and messages of the card-file flows, with their exact texts.
#pragma once

#include <QString>
#include <vector>

#include "engine/file_error.h"
#include "support/user_dialogs.h"

namespace cartulo::shell {

// "Abrir cartulo": `name` is the file name part of the path.
support::MessageRequest MensajeErrorAbrir(const QString& name, const FileError& error);
// "Guardar cartulo": `name` is the file name part of the target.
support::MessageRequest MensajeErrorGuardar(const QString& name, const FileError& error);
// "Guardar cartulo": the target is the file of another open card file;
// `name` is its file name part.
support::MessageRequest MensajeNombreEnUso(const QString& name);
// The Yes/No/Cancel question before changes are lost.
support::MessageRequest PreguntaGuardar(const QString& caption, const QString& fileTitle);
// The input box of "&Nuevo...".
support::InputRequest PreguntaTituloNuevo();
// A title holding characters a card file cannot store.
support::MessageRequest MensajeTituloNoGuardable(const std::vector<char32_t>& characters);

}  // namespace cartulo::shell
