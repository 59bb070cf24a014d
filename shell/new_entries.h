// The entries proposed for a new card and a new sister. Entries are
// Windows-1252 bytes, as the engine keeps them.
#pragma once

#include <string>
#include <string_view>

#include "engine/cartulo.h"

namespace cartulo::shell {

// `hint` (the selected text of the active card window) unless it is empty or
// longer than an entry can be; then "Nueva ficha". While the candidate is
// taken: "Nueva ficha (2)", "Nueva ficha (3)", ...
std::string EntradaNuevaFicha(const cCartulo& file, std::string_view hint);

// "Hermana de " + the source's entry, then "... (2)", "... (3)" while taken.
// A source entry too long for that is shortened so that the result still
// fits in an entry.
std::string EntradaNuevaHermana(const cCartulo& file, std::string_view sourceEntry);

}  // namespace cartulo::shell
