// The colour notation of tag values: numbers, #RRGGBB and Spanish names.
#pragma once

#include <array>
#include <string_view>

#include "platform/surface.h"

namespace cartulo::richtext {

inline constexpr Color kInvalidColor = -1;
// "3d" or 16: the three-dimensional border style of tables, no colour.
inline constexpr Color kColor3D = -2;

// The 16-colour palette that names and the numbers 0 to 15 select.
const std::array<Color, 16>& Palette();

// The colours "actual" (and 17) and "defecto" (and 18) stand for.
struct ColorContext {
    Color current = 0;    // the surface's text colour
    Color byDefault = 0;  // the engine's DefaultColor
};

// A colour, kColor3D or kInvalidColor. Blanks around the text are ignored.
//   3 digits "rgb":       each digit * 32, at most 255
//   6 digits "rrggbb":    each pair * 2.55, rounded half to even
//   1 or 2 characters:    0-15 palette (rounded), 16 3d, 17 current, 18 default
//   "#RRGGBB":            hexadecimal
//   names:                the palette's Spanish names, "naranja", "actual",
//                         "defecto", "3d" (without letter case)
Color ParseColor(std::string_view text, const ColorContext& context);

}  // namespace cartulo::richtext
