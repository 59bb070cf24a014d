#include "platform/symbol_font.h"

#include <cctype>
#include <string>

#include <gtest/gtest.h>

namespace cartulo {
namespace {

TEST(SymbolFontTest, GreekLettersSitAtTheLatinPositions) {
    EXPECT_EQ(SymbolToUnicode('a'), U'α');
    EXPECT_EQ(SymbolToUnicode('b'), U'β');
    EXPECT_EQ(SymbolToUnicode('p'), U'π');
    EXPECT_EQ(SymbolToUnicode('w'), U'ω');
    EXPECT_EQ(SymbolToUnicode('A'), U'Α');
    EXPECT_EQ(SymbolToUnicode('D'), U'Δ');
    EXPECT_EQ(SymbolToUnicode('S'), U'Σ');
    EXPECT_EQ(SymbolToUnicode('W'), U'Ω');
    EXPECT_EQ(SymbolToUnicode('c'), U'χ');
    EXPECT_EQ(SymbolToUnicode('q'), U'θ');
    EXPECT_EQ(SymbolToUnicode('j'), U'ϕ');
    EXPECT_EQ(SymbolToUnicode('V'), U'ς');
}

TEST(SymbolFontTest, MathSignsArrowsAndPieces) {
    EXPECT_EQ(SymbolToUnicode(0x22), U'∀');
    EXPECT_EQ(SymbolToUnicode(0x24), U'∃');
    EXPECT_EQ(SymbolToUnicode(0x27), U'∋');
    EXPECT_EQ(SymbolToUnicode(0x2A), U'∗');
    EXPECT_EQ(SymbolToUnicode(0x2D), U'−');
    EXPECT_EQ(SymbolToUnicode(0x40), U'≅');
    EXPECT_EQ(SymbolToUnicode(0xA3), U'≤');
    EXPECT_EQ(SymbolToUnicode(0xA5), U'∞');
    EXPECT_EQ(SymbolToUnicode(0xAE), U'→');
    EXPECT_EQ(SymbolToUnicode(0xB1), U'±');
    EXPECT_EQ(SymbolToUnicode(0xB3), U'≥');
    EXPECT_EQ(SymbolToUnicode(0xB4), U'×');
    EXPECT_EQ(SymbolToUnicode(0xB6), U'∂');
    EXPECT_EQ(SymbolToUnicode(0xB7), U'•');
    EXPECT_EQ(SymbolToUnicode(0xB8), U'÷');
    EXPECT_EQ(SymbolToUnicode(0xBC), U'…');
    EXPECT_EQ(SymbolToUnicode(0xC0), U'ℵ');
    EXPECT_EQ(SymbolToUnicode(0xC1), U'ℑ');
    EXPECT_EQ(SymbolToUnicode(0xC2), U'ℜ');
    EXPECT_EQ(SymbolToUnicode(0xC3), U'℘');
    EXPECT_EQ(SymbolToUnicode(0xC4), U'⊗');
    EXPECT_EQ(SymbolToUnicode(0xC5), U'⊕');
    EXPECT_EQ(SymbolToUnicode(0xC6), U'∅');
    EXPECT_EQ(SymbolToUnicode(0xC7), U'∩');
    EXPECT_EQ(SymbolToUnicode(0xC8), U'∪');
    EXPECT_EQ(SymbolToUnicode(0xC9), U'⊃');
    EXPECT_EQ(SymbolToUnicode(0xCC), U'⊂');
    EXPECT_EQ(SymbolToUnicode(0xCE), U'∈');
    EXPECT_EQ(SymbolToUnicode(0xCF), U'∉');
    EXPECT_EQ(SymbolToUnicode(0xD0), U'∠');
    EXPECT_EQ(SymbolToUnicode(0xD1), U'∇');
    EXPECT_EQ(SymbolToUnicode(0xD2), U'®');
    EXPECT_EQ(SymbolToUnicode(0xD3), U'©');
    EXPECT_EQ(SymbolToUnicode(0xD4), U'™');
    EXPECT_EQ(SymbolToUnicode(0xD5), U'∏');
    EXPECT_EQ(SymbolToUnicode(0xD6), U'√');
    EXPECT_EQ(SymbolToUnicode(0xD7), U'⋅');
    EXPECT_EQ(SymbolToUnicode(0xD8), U'¬');
    EXPECT_EQ(SymbolToUnicode(0xD9), U'∧');
    EXPECT_EQ(SymbolToUnicode(0xDA), U'∨');
    EXPECT_EQ(SymbolToUnicode(0xDB), U'⇔');
    EXPECT_EQ(SymbolToUnicode(0xDC), U'⇐');
    EXPECT_EQ(SymbolToUnicode(0xDD), U'⇑');
    EXPECT_EQ(SymbolToUnicode(0xDE), U'⇒');
    EXPECT_EQ(SymbolToUnicode(0xDF), U'⇓');
    EXPECT_EQ(SymbolToUnicode(0xE0), U'◊');
    EXPECT_EQ(SymbolToUnicode(0xE1), U'⟨');
    EXPECT_EQ(SymbolToUnicode(0xE5), U'∑');
    EXPECT_EQ(SymbolToUnicode(0xE6), U'⎛');
    EXPECT_EQ(SymbolToUnicode(0xEC), U'⎧');
    EXPECT_EQ(SymbolToUnicode(0xF1), U'⟩');
    EXPECT_EQ(SymbolToUnicode(0xF2), U'∫');
    EXPECT_EQ(SymbolToUnicode(0xF3), U'⌠');
    EXPECT_EQ(SymbolToUnicode(0xF5), U'⌡');
    EXPECT_EQ(SymbolToUnicode(0xFE), U'⎭');
}

TEST(SymbolFontTest, DigitsAndPunctuationStayThemselves) {
    for (char c : std::string("0123456789!#%&()+,./:;<=>?[]_{|}")) {
        EXPECT_EQ(SymbolToUnicode(static_cast<unsigned char>(c)), static_cast<char32_t>(c)) << c;
    }
    EXPECT_EQ(SymbolToUnicode(' '), U' ');
}

TEST(SymbolFontTest, UnassignedCodes) {
    // Control positions stay controls; the empty printable positions show
    // the replacement character.
    EXPECT_EQ(SymbolToUnicode(0x00), 0x00u);
    EXPECT_EQ(SymbolToUnicode(0x09), 0x09u);
    EXPECT_EQ(SymbolToUnicode(0x7F), 0x7Fu);
    EXPECT_EQ(SymbolToUnicode(0x80), 0x80u);
    EXPECT_EQ(SymbolToUnicode(0x9F), 0x9Fu);
    EXPECT_EQ(SymbolToUnicode(0xF0), 0xFFFDu);
    EXPECT_EQ(SymbolToUnicode(0xFF), 0xFFFDu);
}

TEST(SymbolFontTest, EveryAssignedCodeIsAPrintableCharacterOfTheBasicPlane) {
    for (int code = 0xA0; code <= 0xFE; ++code) {
        const char32_t u = SymbolToUnicode(static_cast<unsigned char>(code));
        EXPECT_LT(u, 0x10000u) << code;
        EXPECT_GE(u, 0x20u) << code;
        EXPECT_FALSE(u >= 0x7F && u <= 0x9F) << code;
    }
    for (int code = 0x20; code < 0x7F; ++code) {
        EXPECT_GE(SymbolToUnicode(static_cast<unsigned char>(code)), 0x20u) << code;
    }
    // No two Greek letters share a character.
    for (int a = 'A'; a <= 'z'; ++a) {
        for (int b = a + 1; b <= 'z'; ++b) {
            if (std::isalpha(a) && std::isalpha(b)) {
                EXPECT_NE(SymbolToUnicode(static_cast<unsigned char>(a)),
                          SymbolToUnicode(static_cast<unsigned char>(b)))
                    << static_cast<char>(a) << static_cast<char>(b);
            }
        }
    }
}

}  // namespace
}  // namespace cartulo
