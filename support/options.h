// What the Opciones window does with its answer, apart from the window.
#pragma once

#include <QString>

#include "support/settings.h"
#include "support/user_dialogs.h"

namespace cartulo::support {

inline const QString kProgramTitle = QStringLiteral("Cartulo");

// "Aceptar": stores the high-DPI choice and writes the settings. A change
// takes effect at the next start, which the user is told; a settings file
// that cannot be written is reported instead, and the option keeps the
// value it had, so nothing is written later unasked.
void AcceptOptions(ProgramSettings& settings, bool highDpi, UserDialogs& dialogs,
                   const QString& programTitle = kProgramTitle);

QString RestartMessage(const QString& programTitle);

}  // namespace cartulo::support
