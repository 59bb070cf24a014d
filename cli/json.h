// The smallest JSON writing the tool needs: strings are UTF-8 and pass
// through unchanged except for what JSON requires escaped.
#pragma once

#include <string>
#include <string_view>

namespace ctu {

// The text as a quoted JSON string.
std::string jsonString(std::string_view utf8);

}  // namespace ctu
