// Numbers in formulas and the codes of delimiters and symbols.
#include <gtest/gtest.h>

#include "formula/delimiters.h"
#include "formula/numbers.h"

namespace cartulo::formula {
namespace {

TEST(LeadingNumber, TakesTheNumberTheTextStartsWith) {
    EXPECT_EQ(LeadingNumber("12abc"), 12);
    EXPECT_EQ(LeadingNumber("  -3.5e1x"), -35);
    EXPECT_EQ(LeadingNumber("+.5"), 0.5);
    EXPECT_EQ(LeadingNumber("abc"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("inf"), 0);
    EXPECT_EQ(LeadingNumber("nan"), 0);
    EXPECT_EQ(LeadingNumber("1,5"), 1);
}

TEST(WholeNumber, IsTheWholeTextOrNothing) {
    EXPECT_EQ(WholeNumber(" 42 "), 42);
    EXPECT_EQ(WholeNumber("1.5"), 1.5);
    EXPECT_EQ(WholeNumber("1x"), std::nullopt);
    EXPECT_EQ(WholeNumber("("), std::nullopt);
    EXPECT_EQ(WholeNumber(""), std::nullopt);
    EXPECT_EQ(WholeNumber("1e999"), std::nullopt);
}

TEST(ToInt16, RoundsHalfToEvenAndRefusesWhatDoesNotFit) {
    EXPECT_EQ(ToInt16(2.5), 2);
    EXPECT_EQ(ToInt16(3.5), 4);
    EXPECT_EQ(ToInt16(-1.4), -1);
    EXPECT_EQ(ToInt16(32767), 32767);
    EXPECT_EQ(ToInt16(32768), std::nullopt);
    EXPECT_EQ(ToInt16(-32769), std::nullopt);
}

TEST(Delimiters, FollowTheTable) {
    const std::pair<const char*, Delimiter> cases[] = {
        {"1", {"(", false}},      {"2", {")", false}},   {"3", {"[", false}},
        {"4", {"]", false}},      {"5", {"{", false}},   {"6", {"}", false}},
        {"7", {"|", false}},      {"8", {"\xF2", true}}, {"32", {" ", false}},
        {"255", {"\xFF", false}}, {"288", {" ", true}},  {"511", {"\xFF", true}},
        {"0", {"", false}},       {"9", {"", false}},    {"31", {"", false}},
        {"256", {"", false}},     {"287", {"", false}},  {"512", {"", false}},
        {"-7", {"", false}},      {"2.5", {"", false}},  {"(", {"(", false}},
        {"||", {"||", false}},    {"", {"", false}},
    };
    for (const auto& [written, expected] : cases) {
        const Delimiter d = DelimiterFor(written);
        EXPECT_EQ(d.text, expected.text) << written;
        EXPECT_EQ(d.symbol, expected.symbol) << written;
    }
}

TEST(SymbolText, CodesBytesAndUnicode) {
    EXPECT_EQ(SymbolText("97"), "a");
    EXPECT_EQ(SymbolText("abc"), "abc");
    EXPECT_EQ(SymbolText("31"), "31");
    EXPECT_EQ(SymbolText("97.4"), "a");     // a fraction: the rounded code
    EXPECT_EQ(SymbolText("97.5"), "b");     // halves to even, as every rounding here
    EXPECT_EQ(SymbolText("945"), "a");      // alpha
    EXPECT_EQ(SymbolText("8734"), "\xA5");  // infinity
    EXPECT_EQ(SymbolText("8364"), "\xA0");  // the euro sign the font has
    EXPECT_EQ(SymbolText("353"), "");       // s caron: not in the font
    EXPECT_EQ(SymbolText("65533"), "");     // the replacement character
    EXPECT_EQ(SymbolText("99999999999"), "");
}

}  // namespace
}  // namespace cartulo::formula
