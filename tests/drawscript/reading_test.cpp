// Reading scripts: which words are numbers and what they read as, the text
// results are written as (whatever the locale), colours, and tokens.
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "drawscript/script_color.h"
#include "drawscript/script_number.h"
#include "drawscript/tokenizer.h"

namespace cartulo::drawscript {
namespace {

using V = std::vector<std::string>;
constexpr double kMax = std::numeric_limits<double>::max();
constexpr float kMaxSingle = std::numeric_limits<float>::max();

TEST(ScriptReading, Numbers) {
    // clang-format off
    for (const char* yes : {"0", "12", "-12", "+3", "1.5", ".5", "5.", "-.5", "1e2", "1E+2",
                            "2.5e-3", "007", "1e999"}) {
        EXPECT_TRUE(IsNumber(yes)) << yes;
    }
    for (const char* no : {"", "-", "+", ".", "e5", "1e", "1e+", "1.2.3", "1,5", "inf", "nan",
                           "0x10", "12a", " 1", "1 ", "--1", "1e2.5"}) {
        EXPECT_FALSE(IsNumber(no)) << no;
    }
    // The leading number; huge ones saturate.
    const std::pair<std::string, double> read[] = {
        {"", 0}, {"abc", 0}, {"12abc", 12}, {"1e", 1}, {"1e+", 1}, {"-2.5", -2.5}, {"+4", 4},
        {".25", 0.25}, {"  7", 7}, {"\t-1", -1}, {"3,5", 3}, {"1e3x", 1000}, {"-", 0},
        {"#FF0000", 0}, {"1e-999", 0}, {"-0", 0}, {"10\n20", 10}, {"0.000e999", 0},
        {"1e999", kMax}, {"-1e999", -kMax}, {std::string(400, '9'), kMax},
        {"0." + std::string(400, '0') + "1", 0}, {"1" + std::string(400, '0') + "e-390", 1e10}};
    for (const auto& [text, value] : read) EXPECT_EQ(ReadNumber(text), value) << text;
    const std::pair<double, const char*> written[] = {
        {5, "5"}, {-0.0, "0"}, {0.5, "0.5"}, {1e20, "1e+20"},
        {std::numeric_limits<double>::infinity(), "1.7976931348623157e+308"},
        {std::numeric_limits<double>::quiet_NaN(), "0"}};
    // clang-format on
    for (const auto& [value, text] : written) EXPECT_EQ(FormatDouble(value), text) << text;
    EXPECT_EQ(FormatSingle(0.1f), "0.1");
    EXPECT_EQ(FormatSingle(72), "72");
    EXPECT_EQ(ToSingle(1e300), kMaxSingle);
    EXPECT_EQ(ToSingle(-1e300), -kMaxSingle);
    EXPECT_EQ(ToSingle(std::numeric_limits<double>::quiet_NaN()), 0);
    // What is written reads back.
    for (double v : {0.1, -3.25, 1e-7, 123456789.0, 1e300})
        EXPECT_EQ(ReadNumber(FormatDouble(v)), v);
}

TEST(ScriptReading, Colours) {
    constexpr Color kCurrent = Rgb(1, 2, 3);
    constexpr std::optional<Color> kNone;
    // Three digits: each * 32, at most 255; six: percentages * 2.55, half to
    // even; one or two characters: the palette (half to even), 16 nothing, 17
    // the line colour; numbers the per-character rules do not cover;
    // hexadecimal; names (the shared palette's) in any letter case, not trimmed.
    // clang-format off
    const std::pair<const char*, std::optional<Color>> cases[] = {
        {"707", Rgb(224, 0, 224)}, {"999", Rgb(255, 255, 255)}, {"000", Rgb(0, 0, 0)},
        {"995000", Rgb(252, 128, 0)}, {"010203", Rgb(3, 5, 8)}, {"0", Rgb(0, 0, 0)},
        {"07", Rgb(192, 192, 192)}, {"15", Rgb(255, 255, 255)}, {".5", Rgb(0, 0, 0)},
        {"9.", Rgb(0, 0, 255)}, {"16", kNone}, {"17", kCurrent}, {"18", kNone}, {"-1", kNone},
        {"99", kNone}, {"1.5", kNone}, {"-12", kNone}, {"1e2", kNone}, {"1.5e2", kNone},
        {"12345", kNone}, {"1234567", kNone}, {"#ff8000", Rgb(255, 128, 0)},
        {"#FF0000", Rgb(255, 0, 0)}, {"#ff80", kNone}, {"#gg0000", kNone}, {"#ff80000", kNone},
        {"rojo", Rgb(255, 0, 0)}, {"ROJO", Rgb(255, 0, 0)}, {"Naranja", Rgb(255, 128, 0)},
        {"actual", kCurrent}, {" rojo", kNone}, {"", kNone}, {"red", kNone}};
    const char* names[] = {"negro", "azul_o", "verde_o", "cian_o", "rojo_o", "magenta_o",
        "amarillo_o", "gris", "gris_o", "azul", "verde", "cian", "rojo", "magenta", "amarillo",
        "blanco"};
    // clang-format on
    for (const auto& [text, color] : cases) EXPECT_EQ(ParseColor(text, kCurrent), color) << text;
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(ParseColor(names[i], 0), Palette()[i]) << names[i];
        EXPECT_EQ(ParseColor(std::to_string(i), 0), Palette()[i]) << i;
    }
    EXPECT_EQ(FormatColor(Rgb(255, 0, 0)), "#FF0000");
    EXPECT_EQ(FormatColor(Rgb(0x12, 0xAB, 0x0C)), "#12AB0C");
}

// "type:text" for every token, End excluded.
V Tokens(std::string_view script) {
    Tokenizer tokens(script);
    V out;
    for (int guard = 0; guard < 1000 && !tokens.Remaining().empty(); ++guard) {
        const Token t = tokens.Next(true);
        if (t.type == TokenType::End) break;
        out.push_back(std::to_string(static_cast<int>(t.type)) + ":" + std::string(t.text));
    }
    return out;
}

TEST(ScriptReading, Tokens) {
    // ñ is no ASCII letter. Words end only at a space, a tab or CR LF: a lone
    // LF or CR is part of the word, but blanks of any kind go before a token.
    // clang-format off
    const std::pair<const char*, V> cases[] = {
        {"", {}}, {" \t\r\n ", {}}, {"move", {"1:move"}}, {"MoveRel x1", {"1:MoveRel", "1:x1"}},
        {"12 -3.5 1e2 .5", {"2:12", "2:-3.5", "2:1e2", "2:.5"}},
        {"azul_o #ff0000 a-b 1.2.3 1x", {"-1:azul_o", "-1:#ff0000", "-1:a-b", "-1:1.2.3", "-1:1x"}},
        {"\xF1o", {"-1:\xF1o"}}, {":x :Nombre2 : :", {"4::x", "4::Nombre2", "-1::", "-1::"}},
        {":a]b", {"4::a]b"}}, {"'rojo' \"verde\"", {"3:rojo", "3:verde"}},
        {"'a b' \"it's\" ''", {"3:a b", "3:it's", "3:"}},
        {"'open to the end", {"3:open to the end"}},
        {"'a'b", {"3:a", "1:b"}}, {"x'y'", {"-1:x'y'"}},
        {"[a comment] 1 2 add", {"5:", "2:1", "2:2", "1:add"}},
        {"1[no space]2", {"-1:1[no", "-1:space]2"}}, {"[never closed 1 2", {"5:"}},
        {"[a [b] c]", {"5:", "-1:c]"}}, {"1\t2 3\r\n4", {"2:1", "2:2", "2:3", "2:4"}},
        {"10\n20 a\rb", {"-1:10\n20", "-1:a\rb"}}, {"a\r\r\nb", {"-1:a\r", "1:b"}},
        {"\n\r1", {"2:1"}}};
    // clang-format on
    for (const auto& [script, tokens] : cases) EXPECT_EQ(Tokens(script), tokens) << script;
    // Looking ahead removes blanks but not the token.
    Tokenizer tokens("  \r\n set  "), comment("[c] x"), quoted("'q' x");
    const Token t = tokens.Next(false);
    EXPECT_TRUE(t.type == TokenType::Command && t.text == "set" && tokens.Remaining() == "set  ");
    tokens.Next(true);
    EXPECT_EQ(tokens.Remaining(), "  ");
    EXPECT_TRUE(tokens.Next(false).type == TokenType::End && tokens.Remaining().empty());
    EXPECT_TRUE(comment.Next(false).type == TokenType::Comment && comment.Remaining() == "[c] x");
    EXPECT_TRUE(quoted.Next(false).text == "q" && quoted.Remaining() == "'q' x");
    // Identifiers: an ASCII letter, then letters or digits.
    EXPECT_TRUE(IsIdentifier("a") && IsIdentifier("Z9x"));
    EXPECT_FALSE(IsIdentifier("9a") || IsIdentifier("a_b") || IsIdentifier(""));
}

}  // namespace
}  // namespace cartulo::drawscript
