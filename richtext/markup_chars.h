// The characters the markup gives a meaning to outside tags.
#pragma once

#include <cstddef>
#include <string_view>

namespace cartulo::richtext {

inline constexpr char kOpenQuote = '\xAB';   // «
inline constexpr char kCloseQuote = '\xBB';  // »
inline constexpr char kBlank = ' ';

inline bool IsQuote(char c) {
    return c == kOpenQuote || c == kCloseQuote;
}

// CR LF ends a paragraph; a lone CR or LF is ordinary text.
inline bool IsCrLfAt(std::string_view text, std::size_t pos) {
    return pos + 1 < text.size() && text[pos] == '\r' && text[pos + 1] == '\n';
}

}  // namespace cartulo::richtext
