// The colour operand of linecolor and fillcolor, and the #RRGGBB form that
// getlinecolor and getfillcolor push.
//
// In this order:
//   a number of 3 digits "rgb":    each digit * 32, at most 255
//   a number of 6 digits "rrggbb": each pair a percentage, * 2.55 rounded
//                                  half to even
//   a number of 1 or 2 characters: 0-15 the palette (rounded half to even),
//                                  16 no colour, 17 the current line colour
//   "#RRGGBB":                     hexadecimal, red first
//   a name (any letter case):      the palette's Spanish names, "naranja",
//                                  "actual" (the current line colour)
// Anything else is invalid, including numbers of 3 or 6 characters that are
// not all digits ("1.5", "-12", "1e2"), numbers of other lengths, and
// palette values outside 0-17 ("-1", "99"). No blanks are trimmed.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/surface.h"

namespace cartulo::drawscript {

// The 16 colours that names and the numbers 0 to 15 select.
const std::array<Color, 16>& Palette();

// The colour the text stands for, or nullopt when it is invalid or means
// no colour (16): the caller then leaves its colour as it was.
std::optional<Color> ParseColor(std::string_view text, Color currentLineColor);

// "#RRGGBB" with upper-case hexadecimal digits.
std::string FormatColor(Color color);

}  // namespace cartulo::drawscript
