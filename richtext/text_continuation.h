// Text rewriting around layout: tables moved onto lines of their own, and
// the rest of a text carried on (with its style) after a cut.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace cartulo::richtext {

// Puts a CR LF before every "{TB:" that neither follows one nor stands in
// the first two characters, and after every "{\}" not followed by one, so
// a table always fills whole lines. `inserted`, when given, receives where
// each added CR LF starts in the result, in order.
std::string NormalizeTables(std::string_view text, std::vector<std::size_t>* inserted = nullptr);

// The text from `position` on (1-based, as GetTextPointer gives it),
// preceded by the style tags written before it: font, size, weight, slant,
// underline, colour, alignment, margins and background. Tables before the
// position are skipped whole. Positions 0 and 1 give the text unchanged.
std::string CutAt(std::string_view text, std::size_t position);

}  // namespace cartulo::richtext
