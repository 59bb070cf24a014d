#include "support/settings_text.h"

#include <gtest/gtest.h>

namespace cartulo::support {
namespace {

TEST(SettingsText, LinesDecodingUpperCaseAndNumbers) {
    using Lines = std::vector<std::string_view>;
    const std::tuple<std::string_view, Lines, LineEnd> cases[] = {
        {"a\r\nb\r\n", {"a", "b"}, LineEnd::CrLf},
        {"a\nb", {"a", "b"}, LineEnd::Lf},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}, LineEnd::Cr},
        {"a\n\nb", {"a", "", "b"}, LineEnd::Lf},
        {"", {}, LineEnd::CrLf}};
    for (const auto& [text, lines, end] : cases) {
        EXPECT_EQ(splitLines(text).lines, lines) << text;
        EXPECT_EQ(splitLines(text).firstEnd, end) << text;
    }
    EXPECT_EQ(trimSpaces("  a = b  "), "a = b");
    EXPECT_EQ(trimSpaces("\ta\t"), "\ta\t");  // spaces only
    // UTF-8 (a BOM dropped) or Windows-1252; Spanish upper case.
    EXPECT_EQ(decodeSettingsText("\xEF\xBB\xBF"
                                 "Años")
                  .utf8,
              "Años");
    EXPECT_TRUE(decodeSettingsText("A\xF1os").wasWindows1252);
    EXPECT_EQ(decodeSettingsText("A\xF1os\x80").utf8, "Años€");
    EXPECT_EQ(upperCase("añadir ñandú"), "AÑADIR ÑANDÚ");
    EXPECT_EQ(upperCase("жx\xFF"), "жX\xFF");  // no Windows-1252 form, a stray byte
    // The number a value begins with.
    const std::pair<std::string_view, double> numbers[] = {
        {"1", 1},   {"0", 0},   {" 2 ", 2}, {"-1", -1},  {"1.5", 1.5},  {"3abc", 3},
        {"abc", 0}, {"", 0},    {".", 0},   {"0x10", 0}, {"1e3", 1000}, {"1e", 1},
        {"inf", 0}, {"nan", 0}, {"+4", 4},  {".5", 0.5}, {"1e-999", 0}, {"\t9", 9}};
    for (const auto& [text, value] : numbers) EXPECT_DOUBLE_EQ(numericValue(text), value) << text;
    EXPECT_NE(numericValue("1e999"), 0.0);
}

}  // namespace
}  // namespace cartulo::support
