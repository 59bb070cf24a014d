#include "platform/symbol_font.h"

#include <string>

#include <gtest/gtest.h>

namespace cartulo {
namespace {

TEST(SymbolFontTest, CodesMapToTheirCharacters) {
    // Parallel strings: code and character, a sample of each kind of position.
    const std::string codes = "apwDWjV\x22\x2D\x40\xA3\xA5\xB6\xC0\xD2\xD6\xE5\xEC\xF1\xF2\xFE";
    const std::u32string expected = U"απωΔΩϕς∀−≅≤∞∂ℵ®√∑⎧⟩∫⎭";
    ASSERT_EQ(codes.size(), expected.size());
    for (std::size_t i = 0; i < codes.size(); ++i) {
        EXPECT_EQ(SymbolToUnicode(static_cast<unsigned char>(codes[i])), expected[i]) << i;
    }
    // Control positions stay controls; empty printable ones are the
    // replacement character.
    for (const int code : {0x00, 0x09, 0x1F, 0x7F, 0x80, 0x9F}) {
        EXPECT_EQ(SymbolToUnicode(static_cast<unsigned char>(code)), static_cast<char32_t>(code));
    }
    EXPECT_EQ(SymbolToUnicode(0xF0), 0xFFFDu);
    EXPECT_EQ(SymbolToUnicode(0xFF), 0xFFFDu);
    for (char c : std::string(" 0123456789!#%&()+,./:;<=>?[]_{|}")) {
        EXPECT_EQ(SymbolToUnicode(static_cast<unsigned char>(c)), static_cast<char32_t>(c)) << c;
    }
}

}  // namespace
}  // namespace cartulo
