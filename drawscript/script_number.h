// Numbers as scripts write and read them: text with "." as the decimal
// separator, whatever the process locale.
//
// A number is an optional sign, digits with an optional "." (at least one
// digit on either side of it) and an optional exponent ("e" or "E", an
// optional sign, digits). "inf", "nan", hexadecimal and "," are not numbers.
// Every value read or written is finite: magnitudes beyond the range of the
// type saturate at its largest value, so no infinity or NaN ever travels on
// the stack or reaches a surface.
#pragma once

#include <string>
#include <string_view>

namespace cartulo::drawscript {

// The whole text is a number.
bool IsNumber(std::string_view text);

// The leading number of the text, after any leading blanks; 0 when the text
// does not start with one ("12abc" is 12, "abc" is 0, "1e" is 1).
double ReadNumber(std::string_view text);

// Rounded to single precision, saturating at the largest single.
float ToSingle(double value);

// The shortest text that reads back as the same double (or single). -0 is
// written "0"; a non-finite value (only overflowing arithmetic makes one)
// is written as the largest finite value of its sign, NaN as "0".
std::string FormatDouble(double value);
std::string FormatSingle(float value);

}  // namespace cartulo::drawscript
