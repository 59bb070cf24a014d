// A file's title as captions, lists and questions show it. The title is the
// main card's first line, which may run to thousands of characters; Qt
// measures a caption's whole text each time it lays a window out, so a long
// one made every window slow to open.
#pragma once

#include <QString>
#include <string_view>

namespace cartulo::windows {

inline constexpr int kShownTitleLength = 100;  // characters, before the ellipsis

// The title, or its first words up to kShownTitleLength characters and "…".
QString ShownTitle(std::string_view title);

}  // namespace cartulo::windows
