// "Acerca de Cartulo": the program's version and each engine's.
#pragma once

#include <QString>

#include "support/user_dialogs.h"

namespace cartulo::shell {

inline constexpr const char* kProgramTitle = "Cartulo";

// Caption "Acerca de Cartulo"; the main text gives the program's version
// ("major.minor.revision"); the detail text has one line per engine, joined
// with CR LF.
support::MessageRequest AcercaDe(const QString& programVersion);

}  // namespace cartulo::shell
