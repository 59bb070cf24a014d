// The "Symbol" font's byte codes and the Unicode characters they show, so
// that Greek letters and math signs written for that font come out right in
// the fonts of this machine. Used by the surface and the formula typesetter.
#pragma once

namespace cartulo {

// The character that code `code` shows in the Symbol font. Control positions
// (below 0x20 and 0x7F-0x9F) have no glyph there and map to themselves, as
// the text codec keeps them; the two printable positions the font leaves
// empty (0xF0, 0xFF) map to U+FFFD, so they are visible rather than shown as
// an unrelated Latin letter.
char32_t SymbolToUnicode(unsigned char code);

}  // namespace cartulo
