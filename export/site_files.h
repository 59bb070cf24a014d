// The files every exported site holds beside its pages: the style sheet
// and the search script, and the frame of a page.
#pragma once

#include <string>
#include <string_view>

namespace cartulo::exporting {

inline constexpr std::string_view kIndexPage = "index.html";
inline constexpr std::string_view kStyleSheet = "estilo.css";
inline constexpr std::string_view kSearchScript = "buscar.js";
inline constexpr std::string_view kWordsScript = "palabras.js";

std::string_view StyleSheet();
std::string_view SearchScript();

// A whole page around `body`; `title` is escaped HTML already.
std::string Page(std::string_view title, std::string_view body);

}  // namespace cartulo::exporting
