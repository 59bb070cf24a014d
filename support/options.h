// What the Opciones window does with its answer, apart from the window.
#pragma once

#include <QString>
#include <optional>
#include <string>

#include "support/settings.h"
#include "support/user_dialogs.h"

namespace cartulo::support {

inline const QString kProgramTitle = QStringLiteral("Cartulo");

struct OptionChoices {
    bool highDpi = false;
    bool noPrinting = false;
    bool colorMarkup = true;
    // Spelling, written at once when given; nothing keeps what the file has.
    std::optional<bool> spellCheck;
    std::optional<std::string> dictionary;
};

// "Aceptar": stores the choices and writes the settings. Printing turned
// off or on, and colouring the markup, take effect at once; a high-DPI change at the next start,
// which the user is told. A settings file that cannot be written is
// reported instead, and the options keep the values they had, so nothing
// is written later unasked.
void AcceptOptions(ProgramSettings& settings, const OptionChoices& choices, UserDialogs& dialogs,
                   const QString& programTitle = kProgramTitle);
// The high-DPI choice alone; printing stays as it is.
inline void AcceptOptions(ProgramSettings& settings, bool highDpi, UserDialogs& dialogs,
                          const QString& programTitle = kProgramTitle) {
    OptionChoices choices;
    choices.highDpi = highDpi;
    choices.noPrinting = settings.NoPrinting();
    choices.colorMarkup = settings.ColorearMarcas();
    AcceptOptions(settings, choices, dialogs, programTitle);
}

QString RestartMessage(const QString& programTitle);

}  // namespace cartulo::support
