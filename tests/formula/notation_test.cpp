// Reading the notation: errors word for word, case-insensitive commands,
// argument cutting, escapes, literal runs and the bracket scanners.
#include <string>
#include <vector>

#include "formula/bracket_scan.h"
#include "formula_support.h"

namespace cartulo::formula_test {
namespace {

using formula::FindClosingBracket;
using formula::FindFirstComma;
using formula::FindNextComma;

struct ErrorCase {
    const char* formula;
    const char* description;  // nullptr: no error
};

class Errors : public FormulaFixture, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(Errors, AreRaisedWithTheirExactDescription) {
    const ErrorCase& c = GetParam();
    const auto described = error(c.formula);
    if (c.description == nullptr) {
        EXPECT_EQ(described, std::nullopt) << c.formula;
    } else {
        EXPECT_EQ(described, std::string(c.description)) << c.formula;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Notation, Errors,
    ::testing::Values(
        ErrorCase{"", nullptr}, ErrorCase{"@FRC[1,2]", nullptr}, ErrorCase{"@FrC[1,2]", nullptr},
        ErrorCase{"@frc (1,2)", "Error de sintaxis:  (1,2)"},
        ErrorCase{"@frc", "Error de sintaxis: "},
        ErrorCase{"@frc 123456789012345678901234", "Error de sintaxis:  1234567890123456789"},
        ErrorCase{"@frc[1]", "Error de sintaxis: falta una coma."},
        ErrorCase{"@frc[1,2", "Error de sintaxis: corchete no cerrado."},
        ErrorCase{"@frc[1", "Error de sintaxis: corchete no cerrado."},
        ErrorCase{"@frc[@frc[a,b],c]", nullptr},
        ErrorCase{"@frc[@frc[a,b]]", "Error de sintaxis: falta una coma."},
        ErrorCase{"@xyz[1]", "Figura no reconocida: @xyz"},
        ErrorCase{"@XyZ[1]", "Figura no reconocida: @XyZ"},
        ErrorCase{"@ab", "Figura no reconocida: @ab"}, ErrorCase{"@", "Figura no reconocida: @"},
        ErrorCase{"@int", nullptr}, ErrorCase{"@INT[a]", nullptr},
        ErrorCase{"@par[1,x]", "Error de sintaxis: falta una coma."},
        ErrorCase{"@lim[a,b,c,d]", nullptr}, ErrorCase{"@exp[a,b]", nullptr},
        ErrorCase{"@ind[a,b,c]", nullptr},
        ErrorCase{"@key[a]", "Error de sintaxis: falta una coma."},
        ErrorCase{"@mat[2,2,a,b,c,d]", nullptr},
        ErrorCase{"@mat[2,2,a,b,c]", "Error de sintaxis: falta una coma."},
        ErrorCase{"@mat[2,2]", "Error de sintaxis: falta una coma."},
        ErrorCase{"@mat[2,2,a,b,c,d,e]", nullptr},
        ErrorCase{"@mat[1,1,@mat[1,1,x]]", "No se permiten matrices recursivas."},
        ErrorCase{"@mat[1,1,@frc[@mat[1,1,x],y]]", "No se permiten matrices recursivas."},
        ErrorCase{"@mat[1,1,x]@mat[1,1,y]", nullptr},
        ErrorCase{"@mat[101,1,x]", "Matriz no v\xE1lida: columnas y filas deben ir de 1 a 100."},
        ErrorCase{"@mat[0,1,x]", "Matriz no v\xE1lida: columnas y filas deben ir de 1 a 100."},
        ErrorCase{"@mat[x,1,x]", "Matriz no v\xE1lida: columnas y filas deben ir de 1 a 100."},
        ErrorCase{"@mat[ 1.4,1.6abc,x,y]", nullptr},
        // Scanners ignore escapes and literal runs.
        ErrorCase{"@frc[\\[,x]", "Error de sintaxis: corchete no cerrado."},
        ErrorCase{"@frc[_,_,x]", nullptr}, ErrorCase{"\\@frc", nullptr}, ErrorCase{"\\", nullptr},
        ErrorCase{"\xAF", nullptr}, ErrorCase{"\\-", nullptr}, ErrorCase{"\\\xB7", nullptr},
        ErrorCase{"\\>", nullptr}, ErrorCase{"_abc", nullptr}));

// After an error the matrix flag does not outlive the pass.
TEST_F(FormulaFixture, AFailedMatrixDoesNotPoisonTheNextPass) {
    EXPECT_TRUE(error("@mat[1,1,@xyz[1]]"));
    EXPECT_EQ(error("@mat[1,1,x]"), std::nullopt);
}

TEST(BracketScanners, FindTheClosingBracketAcrossNesting) {
    EXPECT_EQ(FindClosingBracket("frc[a,[b],c]rest", 3), 11u);
    EXPECT_EQ(FindClosingBracket("frc[]", 3), 4u);
    EXPECT_THROW(FindClosingBracket("frc[[a]", 3), FormulaError);
    EXPECT_THROW(FindClosingBracket("frc(a)", 3), FormulaError);
}

TEST(BracketScanners, FindCommasAtDepthZero) {
    EXPECT_EQ(FindFirstComma("frc[[a,b],c]", 3), 9u);
    EXPECT_EQ(FindNextComma("mat[1,2,x,[y,z],w]", 7), 9u);
    EXPECT_EQ(FindNextComma("mat[1,2,x,[y,z],w]", 9), 15u);
    try {
        FindFirstComma("frc[a]", 3);
        FAIL();
    } catch (const FormulaError& e) {
        EXPECT_EQ(e.Description(), "Error de sintaxis: falta una coma.");
    }
    try {
        FindNextComma("mat[1,2", 5);
        FAIL();
    } catch (const FormulaError& e) {
        EXPECT_EQ(e.Description(), "Error de sintaxis: corchete no cerrado.");
    }
    try {
        FindNextComma("mat[1;2]", 5);
        FAIL();
    } catch (const FormulaError& e) {
        EXPECT_EQ(e.Description(), "Error de sintaxis: ;2]");
    }
}

TEST(BracketScanners, CutArgumentsLeaveSurplusCommasInTheLast) {
    const auto two = formula::CutArguments("frc[a,b,c]x", 2);
    EXPECT_EQ(two.arguments, (std::vector<std::string_view>{"a", "b,c"}));
    EXPECT_EQ(two.rest, "x");
    const auto one = formula::CutArguments("exp[a,b]", 1);
    EXPECT_EQ(one.arguments, (std::vector<std::string_view>{"a,b"}));
    const auto three = formula::CutArguments("par[,,]", 3);
    EXPECT_EQ(three.arguments, (std::vector<std::string_view>{"", "", ""}));
}

// What gets printed, in which font, for the pieces of plain notation.
class Reading : public FormulaFixture {
  protected:
    std::vector<std::string> prints(std::string_view text) {
        std::vector<std::string> out;
        for (const std::string& line : ink(text)) {
            const auto open = line.find('"');
            const auto close = line.rfind('"');
            std::string font = line.substr(close + 2);
            font = font.substr(0, font.find(" #"));
            out.push_back(line.substr(open, close - open + 1) + " " + font);
        }
        return out;
    }
};

TEST_F(Reading, LettersAreItalicAndEverythingElseKeepsTheAttribute) {
    EXPECT_EQ(prints("x+1"),
              (std::vector<std::string>{"\"x\" Times New Roman 12 C", "\"+\" Times New Roman 12",
                                        "\"1\" Times New Roman 12"}));
    EXPECT_FALSE(surface.Font().italic);
    // In italic surroundings the attribute holds until a letter switches it off.
    surface.SetFontItalic(true);
    EXPECT_EQ(prints("1a1"),
              (std::vector<std::string>{"\"1\" Times New Roman 12 C", "\"a\" Times New Roman 12 C",
                                        "\"1\" Times New Roman 12"}));
}

TEST_F(Reading, LiteralRunsAreUprightAndUninterpreted) {
    EXPECT_EQ(prints("_sin_x"), (std::vector<std::string>{"\"sin\" Times New Roman 12",
                                                          "\"x\" Times New Roman 12 C"}));
    EXPECT_EQ(prints("_abc"), (std::vector<std::string>{"\"abc\" Times New Roman 12"}));
    EXPECT_EQ(prints("_@frc[_"), (std::vector<std::string>{"\"@frc[\" Times New Roman 12"}));
    EXPECT_EQ(size("__").width, 0);
}

TEST_F(Reading, EscapesConsumeWhatTheySay) {
    EXPECT_EQ(prints("\\@frc"), (std::vector<std::string>{
                                    "\"@\" Times New Roman 12", "\"f\" Times New Roman 12 C",
                                    "\"r\" Times New Roman 12 C", "\"c\" Times New Roman 12 C"}));
    EXPECT_EQ(prints("\\x"), (std::vector<std::string>{"\"x\" Times New Roman 12"}));
    EXPECT_EQ(prints("\\\\\\_\\["),
              (std::vector<std::string>{"\"\\\" Times New Roman 12", "\"_\" Times New Roman 12",
                                        "\"[\" Times New Roman 12"}));
    // "\ " is half a space and consumes only the space.
    EXPECT_EQ(size("\\ ").width, 4);
    EXPECT_EQ(size("\\  ").width, 12);
    EXPECT_TRUE(prints("\\ ").empty());
    // A backslash at the end adds nothing.
    EXPECT_EQ(size("x\\").width, 8);
    EXPECT_EQ(ink("x\\").size(), 1u);
}

TEST_F(Reading, BarEscapeAndMacronGiveTheSameResult) {
    const auto escaped = ink("\\-x");
    const auto macron = ink("\xAFx");
    EXPECT_EQ(escaped, macron);
    EXPECT_EQ(size("\\-x").width, size("\xAFx").width);
    EXPECT_EQ(prints("\xAFx"), (std::vector<std::string>{"\"x\" Times New Roman 12",
                                                         "\"\xAF\" Times New Roman 12"}));
    // A mark with nothing after it adds nothing.
    for (const char* text : {"\xAF", "\\-", "\\\xB7", "\\>"}) {
        EXPECT_EQ(size(text).width, 0) << text;
        EXPECT_TRUE(ink(text).empty()) << text;
    }
}

TEST_F(Reading, IntegralTakesNoArguments) {
    EXPECT_EQ(prints("@int[a]"),
              (std::vector<std::string>{"\"\xF2\" Symbol 24 charset=2", "\"[\" Times New Roman 12",
                                        "\"a\" Times New Roman 12 C", "\"]\" Times New Roman 12"}));
}

TEST_F(Reading, SymbolArgumentsAreCodesOrText) {
    EXPECT_EQ(prints("@sym[97]"), (std::vector<std::string>{"\"a\" Symbol 12 charset=2"}));
    EXPECT_EQ(prints("@sym[abc]"), (std::vector<std::string>{"\"abc\" Symbol 12 charset=2"}));
    EXPECT_EQ(prints("@sym[31]"), (std::vector<std::string>{"\"31\" Symbol 12 charset=2"}));
    // From 256 up: the Unicode character, when the Symbol font has it.
    EXPECT_EQ(prints("@sym[945]"), (std::vector<std::string>{"\"a\" Symbol 12 charset=2"}));
    EXPECT_EQ(prints("@sym[8747]"), (std::vector<std::string>{"\"\xF2\" Symbol 12 charset=2"}));
    EXPECT_TRUE(prints("@sym[353]").empty());
    EXPECT_TRUE(prints("@sym[1000000]").empty());
    EXPECT_EQ(size("@sym[353]").width, 0);
    // The font is the surrounding one again afterwards.
    EXPECT_EQ(surface.Font().name, "Times New Roman");
    EXPECT_EQ(surface.Font().charset, kDefaultCharset);
}

TEST_F(Reading, DelimiterNumbersAndTextDrawAlike) {
    EXPECT_EQ(ink("@par[1,x,2]"), ink("@par[(,x,)]"));
    EXPECT_EQ(ink("@par[3,x,4]"), ink("@par[91,x,93]"));
    EXPECT_EQ(prints("@par[44,x,44]"),
              (std::vector<std::string>{"\",\" Times New Roman 12", "\"x\" Times New Roman 12 C",
                                        "\",\" Times New Roman 12"}));
    EXPECT_EQ(prints("@par[0,x,2]").size(), 2u);
    EXPECT_EQ(prints("@par[0,x,2]").front(), "\"x\" Times New Roman 12 C");
    EXPECT_EQ(prints("@par[8,x,0]").front(), "\"\xF2\" Symbol 12 charset=2");
    EXPECT_EQ(prints("@par[353,x,0]").front(), "\"a\" Symbol 12 charset=2");
    // Codes the table leaves out are no delimiter.
    for (const char* text : {"@par[9,x,0]", "@par[256,x,0]", "@par[512,x,0]", "@par[-1,x,0]",
                             "@par[1.5,x,0]", "@par[,x,]"}) {
        EXPECT_EQ(prints(text).size(), 1u) << text;
        EXPECT_EQ(size(text).width, 8) << text;
    }
}

}  // namespace
}  // namespace cartulo::formula_test
