// The boundary between the UTF-8 of the command line and the Windows-1252
// of card files.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/query.h"

namespace ctu {

// Windows-1252 bytes as UTF-8, for stdout, stderr and JSON.
std::string toUtf8(std::string_view cardText);

// The Windows-1252 form of an argument that names a card, or nullopt when
// it holds a character no card entry can have (so it names no card).
std::optional<std::string> entryName(std::string_view utf8);

// The Windows-1252 form of a search query. A character the code page cannot
// hold is in no card, so a term holding it must never be found: its place
// is marked unmatchable (so "-→" finds every card).
cartulo::MarkedQuery searchQuery(std::string_view utf8);

// The Windows-1252 form of something to store. Throws
// Failure(ExitCode::Refused) naming each character the code page lacks;
// `what` says what it is ("La entrada", "El texto", ...).
std::string storable(std::string_view utf8, std::string_view what);

// Lone LF become CR LF, the line end of card texts; CR LF stays.
std::string withCrLf(std::string_view text);

}  // namespace ctu
