// Reading the notation: numbers and codes, the bracket scanners, errors word
// for word, and what gets printed in which font.
#include <string>
#include <utility>
#include <vector>

#include "formula/bracket_scan.h"
#include "formula/delimiters.h"
#include "formula/numbers.h"
#include "formula_support.h"

namespace cartulo::formula_test {
namespace {

using namespace cartulo::formula;
using Views = std::vector<std::string_view>;
constexpr auto kNone = std::nullopt;

TEST(Numbers, LeadingWholeAndSixteenBit) {
    const std::pair<const char*, double> leading[] = {
        {"12abc", 12}, {"  -3.5e1x", -35}, {"+.5", 0.5}, {"abc", 0},
        {"", 0},       {"inf", 0},         {"nan", 0},   {"1,5", 1}};
    for (const auto& [text, value] : leading) EXPECT_EQ(LeadingNumber(text), value) << text;
    const std::pair<const char*, std::optional<double>> whole[] = {
        {" 42 ", 42}, {"1.5", 1.5}, {"1x", kNone}, {"(", kNone}, {"", kNone}, {"1e999", kNone}};
    for (const auto& [text, value] : whole) EXPECT_EQ(WholeNumber(text), value) << text;
    // Halves round to even; what does not fit is refused.
    const std::pair<double, std::optional<int>> int16[] = {
        {2.5, 2}, {3.5, 4}, {-1.4, -1}, {32767, 32767}, {32768, kNone}, {-32769, kNone}};
    for (const auto& [value, expected] : int16) {
        const auto got = ToInt16(value);
        EXPECT_EQ(got ? std::optional<int>(*got) : kNone, expected) << value;
    }
}

TEST(Numbers, DelimiterAndSymbolCodes) {
    const std::pair<const char*, Delimiter> cases[] = {
        {"1", {"(", false}},     {"7", {"|", false}},      {"8", {"\xF2", true}},
        {"32", {" ", false}},    {"255", {"\xFF", false}}, {"288", {" ", true}},
        {"511", {"\xFF", true}}, {"0", {"", false}},       {"9", {"", false}},
        {"31", {"", false}},     {"256", {"", false}},     {"287", {"", false}},
        {"512", {"", false}},    {"-7", {"", false}},      {"2.5", {"", false}},
        {"(", {"(", false}},     {"||", {"||", false}},    {"", {"", false}}};
    for (const auto& [written, expected] : cases) {
        const Delimiter d = DelimiterFor(written);
        EXPECT_TRUE(d.text == expected.text && d.symbol == expected.symbol) << written;
    }
    // A fraction takes the rounded code (halves to even); from 256 up the
    // Unicode character when the font has it (alpha, infinity, euro).
    const std::pair<const char*, const char*> symbols[] = {
        {"97", "a"},   {"abc", "abc"}, {"31", "31"},       {"97.4", "a"},
        {"97.5", "b"}, {"945", "a"},   {"8734", "\xA5"},   {"8364", "\xA0"},
        {"353", ""},   {"65533", ""},  {"99999999999", ""}};
    for (const auto& [code, text] : symbols) EXPECT_EQ(SymbolText(code), text) << code;
}

TEST(Numbers, BracketScannersAndArgumentCutting) {
    EXPECT_EQ(FindClosingBracket("frc[a,[b],c]rest", 3), 11u);
    EXPECT_EQ(FindClosingBracket("frc[]", 3), 4u);
    EXPECT_THROW(FindClosingBracket("frc[[a]", 3), FormulaError);
    EXPECT_THROW(FindClosingBracket("frc(a)", 3), FormulaError);
    EXPECT_EQ(FindFirstComma("frc[[a,b],c]", 3), 9u);
    EXPECT_EQ(FindNextComma("mat[1,2,x,[y,z],w]", 7), 9u);
    EXPECT_EQ(FindNextComma("mat[1,2,x,[y,z],w]", 9), 15u);
    EXPECT_THROW(FindFirstComma("frc[a]", 3), FormulaError);
    EXPECT_THROW(FindNextComma("mat[1,2", 5), FormulaError);
    try {
        FindNextComma("mat[1;2]", 5);
        ADD_FAILURE();
    } catch (const FormulaError& e) {
        EXPECT_EQ(e.Description(), "Error de sintaxis: ;2]");
    }
    // Surplus commas stay in the last argument.
    const auto two = CutArguments("frc[a,b,c]x", 2);
    EXPECT_EQ(two.arguments, (Views{"a", "b,c"}));
    EXPECT_EQ(two.rest, "x");
    EXPECT_EQ(CutArguments("exp[a,b]", 1).arguments, (Views{"a,b"}));
    EXPECT_EQ(CutArguments("par[,,]", 3).arguments, (Views{"", "", ""}));
}

TEST_F(FormulaFixture, ErrorsAreRaisedWithTheirExactDescription) {
    // Case-insensitive commands, surplus arguments, escapes and literal runs
    // (which the scanners pass over) and a matrix after a matrix are fine.
    // clang-format off
    for (const char* text : {"", "@FrC[1,2]", "@frc[@frc[a,b],c]", "@int", "@INT[a]",
             "@lim[a,b,c,d]", "@exp[a,b]", "@ind[a,b,c]", "@mat[2,2,a,b,c,d,e]",
             "@mat[1,1,x]@mat[1,1,y]", "@mat[ 1.4,1.6abc,x,y]", "@frc[_,_,x]", "\\@frc",
             "\\", "\xAF", "\\-", "\\\xB7", "\\>", "_abc"}) {
        EXPECT_EQ(error(text), std::nullopt) << text;
    }
    const std::string syntax = "Error de sintaxis: ", comma = syntax + "falta una coma.",
        open = syntax + "corchete no cerrado.", recursive = "No se permiten matrices recursivas.",
        matrix = "Matriz no v\xE1lida: columnas y filas deben ir de 1 a 100.",
        unknown = "Figura no reconocida: @";
    const std::pair<const char*, std::string> cases[] = {
        {"@frc (1,2)", syntax + " (1,2)"}, {"@frc", syntax}, {"@frc[1]", comma}, {"@frc[1,2", open},
        {"@frc 123456789012345678901234", syntax + " 1234567890123456789"}, {"@frc[1", open},
        {"@frc[@frc[a,b]]", comma}, {"@xyz[1]", unknown + "xyz"}, {"@XyZ[1]", unknown + "XyZ"},
        {"@ab", unknown + "ab"}, {"@", unknown}, {"@par[1,x]", comma}, {"@key[a]", comma},
        {"@mat[2,2,a,b,c]", comma}, {"@mat[2,2]", comma}, {"@mat[1,1,@mat[1,1,x]]", recursive},
        {"@mat[1,1,@frc[@mat[1,1,x],y]]", recursive}, {"@mat[101,1,x]", matrix},
        {"@mat[0,1,x]", matrix}, {"@mat[x,1,x]", matrix}, {"@mat[2,-1,a]", matrix},
        {"@mat[1e9,1,a]", matrix}, {"@mat[100,101,a]", matrix}, {"@frc[\\[,x]", open},
        {"@mat[1,1,@xyz[1]]", unknown + "xyz"}};
    // clang-format on
    for (const auto& [text, description] : cases) EXPECT_EQ(error(text), description) << text;
    EXPECT_EQ(error("@mat[1,1,x]"), std::nullopt);  // the failed matrix did not poison the pass
}

// What gets printed, "|" between marks, each in Times New Roman 12 unless its font is said.
class Reading : public FormulaFixture {
  protected:
    std::string prints(std::string_view text) {
        std::string out;
        for (const std::string& line : ink(text)) {
            const auto open = line.find('"'), close = line.rfind('"');
            std::string font = line.substr(close + 1);
            font = font.substr(0, font.find(" #"));
            if (font.starts_with(" Times New Roman 12")) font.erase(0, 19);
            out += (out.empty() ? "" : "|") + line.substr(open + 1, close - open - 1) + font;
        }
        return out;
    }
};

TEST_F(Reading, PrintsEachPieceInItsFont) {
    // Letters are italic, everything else keeps the attribute; literal runs
    // are upright and uninterpreted; escapes consume what they say; the
    // integral takes no arguments; @sym takes codes or text, from 256 up the
    // Unicode character when the font has it.
    const std::string sym = " Symbol 12 charset=2";
    // clang-format off
    const std::pair<const char*, std::string> cases[] = {
        {"x+1", "x C|+|1"}, {"_sin_x", "sin|x C"}, {"_abc", "abc"}, {"_@frc[_", "@frc["},
        {"\\@frc", "@|f C|r C|c C"}, {"\\x", "x"}, {"\\\\\\_\\[", "\\|_|["}, {"\\ ", ""},
        {"\xAFx", "x|\xAF"}, {"@int[a]", "\xF2 Symbol 24 charset=2|[|a C|]"},
        {"@sym[97]", "a" + sym}, {"@sym[abc]", "abc" + sym}, {"@sym[31]", "31" + sym},
        {"@sym[945]", "a" + sym},
        {"@sym[8747]", "\xF2" + sym}, {"@sym[353]", ""}, {"@sym[1000000]", ""},
        {"@par[44,x,44]", ",|x C|,"}, {"@par[0,x,2]", "x C|)"},
        {"@par[8,x,0]", "\xF2" + sym + "|x C"}, {"@par[353,x,0]", "a" + sym + "|x C"}};
    // clang-format on
    for (const auto& [text, expected] : cases) EXPECT_EQ(prints(text), expected) << text;
    // The font is the surrounding one again after a symbol.
    EXPECT_TRUE(!surface.Font().italic && surface.Font().name == "Times New Roman" &&
                surface.Font().charset == kDefaultCharset);
    // In italic surroundings the attribute holds until a letter switches it off.
    surface.SetFontItalic(true);
    EXPECT_EQ(prints("1a1"), "1 C|a C|1");
}

TEST_F(Reading, WidthsOfEscapesMarksAndDelimiters) {
    // A mark with nothing after it adds nothing; "\ " is half a space and
    // takes only the space; codes the table leaves out are no delimiter.
    // clang-format off
    const struct {
        const char* text;
        float width;
        std::size_t marks;
    } cases[] = {
        {"__", 0, 0}, {"_", 0, 0}, {"\\", 0, 0}, {"x\xAF", 8, 1}, {"\\ ", 4, 0}, {"\\  ", 12, 1},
        {"x\\", 8, 1}, {"@sym[353]", 0, 0}, {"\xAF", 0, 0}, {"\\-", 0, 0}, {"\\\xB7", 0, 0},
        {"\\>", 0, 0},
        {"@par[9,x,0]", 8, 1}, {"@par[256,x,0]", 8, 1}, {"@par[512,x,0]", 8, 1},
        {"@par[-1,x,0]", 8, 1}, {"@par[1.5,x,0]", 8, 1}, {"@par[,x,]", 8, 1}};
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(size(c.text).width, c.width) << c.text;
        EXPECT_EQ(ink(c.text).size(), c.marks) << c.text;
    }
    EXPECT_EQ(ink("\\-x"), ink("\xAFx"));
    EXPECT_EQ(size("\\-x").width, size("\xAFx").width);
    EXPECT_EQ(ink("@par[1,x,2]"), ink("@par[(,x,)]"));
    EXPECT_EQ(ink("@par[3,x,4]"), ink("@par[91,x,93]"));
}

}  // namespace
}  // namespace cartulo::formula_test
