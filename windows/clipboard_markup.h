// What the clipboard viewer draws for the text on the clipboard: a card in
// the card clipboard format as a card, any other text as card markup.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/cartulo.h"

namespace cartulo::windows {

// A copied card: its entry as a bold 11-point heading, a gap, then its
// text. Braces of the entry are written as their escapes, so an entry is
// never read as markup.
std::string MarkupDeFicha(const ClipCardContent& card);

// The clipboard's text as the viewer draws it: a card (decoded without any
// card file, so the main card's empty entry shows too) as above; other text
// as it is, with each lone LF (the line end of other programs) as CR LF.
// Nothing when the clipboard holds no text.
std::optional<std::string> MarkupDelPortapapeles();

}  // namespace cartulo::windows
