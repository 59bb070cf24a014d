// Numbers inside formulas (matrix sizes, delimiter and symbol codes), read
// with "." as the decimal point whatever the process locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace cartulo::formula {

// The number the text starts with, after leading blanks (spaces and tabs):
// an optional sign, digits with an optional fraction, an optional exponent.
// 0 when the text does not start with one.
double LeadingNumber(std::string_view text);

// The whole text as a number (blanks around it allowed), or nullopt when it
// is anything else. Infinity and NaN are not numbers here.
std::optional<double> WholeNumber(std::string_view text);

// The number rounded (half to even) to a 16-bit integer; nullopt when it
// does not fit.
std::optional<std::int16_t> ToInt16(double value);

// The number when it is a whole number within int range; nullopt otherwise.
std::optional<int> WholeCode(double value);

}  // namespace cartulo::formula
