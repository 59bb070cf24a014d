// The checks every edit makes before it touches the store, so a refused
// edit never reaches SaveFile and the file stays as it was.
#pragma once

#include <string>
#include <string_view>

#include "engine/cartulo.h"

namespace ctu {

// The Windows-1252 form of an entry to store. Throws
// Failure(ExitCode::Refused) when the file format cannot hold it.
std::string storableEntry(std::string_view entryUtf8);

// Throws Failure(ExitCode::Refused) when the file format cannot hold the
// text (Windows-1252, CR LF line ends); the main card's may begin with "@@".
void checkStorableText(std::string_view text, bool mainCard = false);

// The card NewCard or NewAlias made; throws Failure(ExitCode::Refused) for
// their negative results.
cartulo::CardId createdCard(cartulo::CardId result, std::string_view entryUtf8);

// Throws Failure(ExitCode::Refused) unless the check is Ok.
void checkEntryChange(cartulo::EntryCheck check, std::string_view entryUtf8);

}  // namespace ctu
