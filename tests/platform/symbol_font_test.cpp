#include "platform/symbol_font.h"

#include <gtest/gtest.h>

namespace cartulo {
namespace {

// The table itself is checked where text is measured in Symbol; here the
// edges: controls below it stay, its first and last codes, an empty code.
TEST(SymbolFontTest, ControlsStayAndTheTableGivesTheRest) {
    EXPECT_EQ(SymbolToUnicode(0x00), 0x00u);
    EXPECT_EQ(SymbolToUnicode(0x1F), 0x1Fu);
    EXPECT_EQ(SymbolToUnicode(0x20), U' ');
    EXPECT_EQ(SymbolToUnicode('a'), U'α');
    EXPECT_EQ(SymbolToUnicode(0xF0), 0xFFFDu);
    EXPECT_EQ(SymbolToUnicode(0xFE), U'⎭');
    EXPECT_EQ(SymbolToUnicode(0xFF), 0xFFFDu);
}

}  // namespace
}  // namespace cartulo
