#include "platform/symbol_font.h"

#include <array>

namespace cartulo {

namespace {

// Codes 0x20 to 0xFF. Where the font has glyph pieces of its own (extenders,
// bracket and integral parts) the nearest Unicode character is used.
// Sixteen codes a row, as in the font's own chart.
// clang-format off
constexpr std::array<char32_t, 0xE0> kTable = {
    // 0x20
    U' ', U'!', U'∀', U'#', U'∃', U'%', U'&', U'∋', U'(', U')', U'∗', U'+', U',', U'−', U'.', U'/',
    // 0x30
    U'0', U'1', U'2', U'3', U'4', U'5', U'6', U'7', U'8', U'9', U':', U';', U'<', U'=', U'>', U'?',
    // 0x40
    U'≅', U'Α', U'Β', U'Χ', U'Δ', U'Ε', U'Φ', U'Γ', U'Η', U'Ι', U'ϑ', U'Κ', U'Λ', U'Μ', U'Ν', U'Ο',
    // 0x50
    U'Π', U'Θ', U'Ρ', U'Σ', U'Τ', U'Υ', U'ς', U'Ω', U'Ξ', U'Ψ', U'Ζ', U'[', U'∴', U']', U'⊥', U'_',
    // 0x60: the radical's extender is an overline
    U'‾', U'α', U'β', U'χ', U'δ', U'ε', U'φ', U'γ', U'η', U'ι', U'ϕ', U'κ', U'λ', U'μ', U'ν', U'ο',
    // 0x70
    U'π', U'θ', U'ρ', U'σ', U'τ', U'υ', U'ϖ', U'ω', U'ξ', U'ψ', U'ζ', U'{', U'|', U'}', U'∼', 0x7F,
    // 0x80-0x9F: no glyphs
    0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x8B, 0x8C, 0x8D, 0x8E, 0x8F,
    0x90, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9A, 0x9B, 0x9C, 0x9D, 0x9E, 0x9F,
    // 0xA0
    U'€', U'ϒ', U'′', U'≤', U'⁄', U'∞', U'ƒ', U'♣', U'♦', U'♥', U'♠', U'↔', U'←', U'↑', U'→', U'↓',
    // 0xB0: the arrows' extenders; no font here has U+23AF, so the horizontal
    // one is a box-drawing line, which joins up the same way
    U'°', U'±', U'″', U'≥', U'×', U'∝', U'∂', U'•', U'÷', U'≠', U'≡', U'≈', U'…', U'⏐', U'─', U'↵',
    // 0xC0
    U'ℵ', U'ℑ', U'ℜ', U'℘', U'⊗', U'⊕', U'∅', U'∩', U'∪', U'⊃', U'⊇', U'⊄', U'⊂', U'⊆', U'∈', U'∉',
    // 0xD0: serif forms of ® © ™
    U'∠', U'∇', U'®', U'©', U'™', U'∏', U'√', U'⋅', U'¬', U'∧', U'∨', U'⇔', U'⇐', U'⇑', U'⇒', U'⇓',
    // 0xE0: sans-serif ® © ™, then the pieces of tall parentheses, brackets
    // and braces
    U'◊', U'⟨', U'®', U'©', U'™', U'∑', U'⎛', U'⎜', U'⎝', U'⎡', U'⎢', U'⎣', U'⎧', U'⎨', U'⎩', U'⎪',
    // 0xF0
    0xFFFD, U'⟩', U'∫', U'⌠', U'⎮', U'⌡', U'⎞', U'⎟', U'⎠', U'⎤', U'⎥', U'⎦', U'⎫', U'⎬', U'⎭',
    0xFFFD,
};
// clang-format on

}  // namespace

char32_t SymbolToUnicode(unsigned char code) {
    if (code < 0x20) return code;
    return kTable[code - 0x20];
}

}  // namespace cartulo
