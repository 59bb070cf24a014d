// Reading a number from a command's argument, which may come from another
// program over the command channel: whatever the text, the result is a
// whole number within the caller's range or nothing, so no arithmetic is
// ever done on an out-of-range value. Free of Qt so that it can be fuzzed.
#pragma once

#include <optional>
#include <string_view>

namespace cartulo::shell {

// The number at the start of `text` (blanks first allowed; sign, digits,
// fraction and exponent; what follows ignored), truncated toward zero, when
// it lies within [low, high]. An empty or blank text reads as 0; text that
// does not begin with a number ("nan", "inf", "x") gives nothing.
std::optional<int> ArgumentNumber(std::string_view text, int low, int high);

}  // namespace cartulo::shell
