// The colour names and the sixteen-colour palette shared by card text and
// drawing scripts, and the small number rules both notations use.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "platform/surface.h"

namespace cartulo {

// The palette by index, 0 (negro) to 15 (blanco).
const std::array<Color, 16>& PaletteColors();
// "negro" ... "blanco" and "naranja", in any letter case; nullopt for others.
std::optional<Color> NamedColor(std::string_view name);
// The value of a hexadecimal digit, or -1.
int HexDigitValue(char c);
// A percentage written with two digits, times 2.55, rounded half to even
// in whole numbers so that 50 gives exactly 128.
int PercentToComponent(int percent);

}  // namespace cartulo
