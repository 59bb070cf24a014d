// Reading "name: value" lines of a card text without copying it.
#pragma once

#include <string_view>

namespace cartulo {

// The value of the first line whose name equals `name` ignoring case; empty
// when there is none.
std::string_view fieldValueIn(std::string_view text, std::string_view name);

}  // namespace cartulo
