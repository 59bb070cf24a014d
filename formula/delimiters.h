// What the codes of @par delimiters and @sym arguments stand for.
#pragma once

#include <string>
#include <string_view>

namespace cartulo::formula {

// The Symbol font's code of the integral sign.
inline constexpr char kIntegralCode = '\xF2';

// A delimiter glyph and whether it is set in the "Symbol" font (otherwise
// in the current one). An empty text is no delimiter.
struct Delimiter {
    std::string text;
    bool symbol = false;
};

// A delimiter written as a whole number selects a glyph: 1-7 the brackets
// ( ) [ ] { } |, 8 the integral sign, 32-255 that byte, 288-511 the Symbol
// font's code value-256; every other number (fractions, 256-287, 512 and
// up, 0, 9-31, negatives) is no delimiter. Any other text is the delimiter.
Delimiter DelimiterFor(std::string_view written);

// The text that @sym sets in the Symbol font: a whole number from 32 to 255
// is that byte; from 256 up it is a Unicode character, shown when the Symbol
// font has it (945 is alpha, code 97) and otherwise nothing; anything else
// (text, smaller numbers, fractions) stays as written.
std::string SymbolText(std::string_view argument);

}  // namespace cartulo::formula
