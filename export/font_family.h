// A card's font name made safe for CSS and SVG, where it is quoted inside
// an attribute or a style: a hostile name must not close them.
#pragma once

#include <string>
#include <string_view>

namespace cartulo::exporting {

inline constexpr std::string_view kDefaultFont = "Arial";

// Only letters, digits, blanks and hyphens; the default font when nothing is
// left.
std::string SafeFontFamily(std::string_view name);

}  // namespace cartulo::exporting
