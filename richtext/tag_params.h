// The small readers that tag values share: comma-separated parameters,
// numbers written the lenient way card authors write them, blank trimming
// and case-insensitive comparison of tag names.
#pragma once

#include <string_view>

namespace cartulo::richtext {

// Parameter n (from 1) of a comma-separated value: the text between the
// (n-1)-th and the n-th comma, as written; empty when there are fewer.
std::string_view GetParam(std::string_view value, int n);
// Parameter n to the end of the value, commas included; empty when there
// are fewer than n parameters.
std::string_view GetParamRest(std::string_view value, int n);

// The number a value begins with, read like a hand-written figure: leading
// blanks, an optional sign, digits with one optional decimal point and an
// optional exponent; whatever follows is ignored. 0 when no number begins
// the text or it does not fit in a double.
double ParseNumber(std::string_view text);

// True when the whole text (blanks around it aside) is one such number.
bool IsNumeric(std::string_view text);

std::string_view TrimBlanks(std::string_view text);

// ASCII letters compared without case; tag names and colour names are ASCII.
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// Round half to even, the rounding of the markup's numbers.
double RoundHalfEven(double value);

}  // namespace cartulo::richtext
