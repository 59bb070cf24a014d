// Hostile formulas: each ends with an error or a defined result, in bounded
// time and stack, and paints nothing outside what it measured.
#include <chrono>
#include <cmath>
#include <limits>
#include <string>

#include "formula/typesetter.h"
#include "formula_support.h"

namespace cartulo::formula_test {
namespace {

using formula::Typesetter;

std::string repeat(std::string_view piece, std::size_t n) {
    std::string s;
    s.reserve(piece.size() * n);
    for (std::size_t i = 0; i < n; ++i) s += piece;
    return s;
}

class Hostile : public FormulaFixture {
  protected:
    // Size, and Draw when Size succeeded; the error, if any.
    std::optional<std::string> both(const std::string& text) {
        auto described = error(text);
        if (!described) {
            EXPECT_TRUE(std::isfinite(formula.Width()) && std::isfinite(formula.Ascent()) &&
                        std::isfinite(formula.Descent()))
                << text.substr(0, 40);
            formula.Draw(0, 20);
        }
        return described;
    }
};

TEST_F(Hostile, TenThousandUnclosedFractions) {
    EXPECT_EQ(both(repeat("@frc[", 10000)), "Error de sintaxis: corchete no cerrado.");
}

TEST_F(Hostile, TenThousandClosedFractionsAreTooDeep) {
    const std::string text = repeat("@frc[", 10000) + "a" + repeat(",b]", 10000);
    EXPECT_EQ(both(text), "F\xF3rmula demasiado anidada.");
    EXPECT_EQ(both(repeat("@dob[", 10000) + "x" + repeat("]", 10000)),
              "F\xF3rmula demasiado anidada.");
}

TEST_F(Hostile, NestingUpToTheLimitWorks) {
    const int deepest = Typesetter::kMaxNesting;
    EXPECT_EQ(both(repeat("@sqr[", deepest) + "x" + repeat("]", deepest)), std::nullopt);
    EXPECT_EQ(both(repeat("@sqr[", deepest + 1) + "x" + repeat("]", deepest + 1)),
              "F\xF3rmula demasiado anidada.");
}

TEST_F(Hostile, UnclosedBracketsAtEveryDepth) {
    for (int depth = 1; depth <= Typesetter::kMaxNesting + 2; ++depth) {
        const std::string text = repeat("@frc[", depth) + "a,b" + repeat("]", depth - 1);
        const auto described = both(text);
        ASSERT_TRUE(described) << depth;
        EXPECT_TRUE(*described == "Error de sintaxis: corchete no cerrado.") << depth;
        const std::string inner = repeat("@par[1,", depth) + "x" + repeat(",2]", depth - 1) + ",2";
        EXPECT_TRUE(both(inner)) << depth;
    }
}

TEST_F(Hostile, EscapeOrMacronAsTheLastCharacter) {
    for (const char* text : {"\\", "x\\", "\xAF", "x\xAF", "\\-", "\\\xB7", "\\>", "_", "@"}) {
        const auto described = both(text);
        if (std::string_view(text) == "@") {
            EXPECT_EQ(described, "Figura no reconocida: @");
        } else {
            EXPECT_EQ(described, std::nullopt) << text;
        }
    }
}

TEST_F(Hostile, MatrixSizesOutsideTheTables) {
    const std::string tooBig = "Matriz no v\xE1lida: columnas y filas deben ir de 1 a 100.";
    EXPECT_EQ(both("@mat[30000,30000,a]"), tooBig);
    EXPECT_EQ(both("@mat[-1,2,a]"), tooBig);
    EXPECT_EQ(both("@mat[2,-1,a]"), tooBig);
    EXPECT_EQ(both("@mat[1e9,1,a]"), tooBig);
    EXPECT_EQ(both("@mat[100,101,a]"), tooBig);
    // The largest one fits, with its ten thousand cells.
    std::string cells = "@mat[100,100";
    for (int i = 0; i < 100 * 100; ++i) cells += ",x";
    EXPECT_EQ(both(cells + "]"), std::nullopt);
    EXPECT_FLOAT_EQ(formula.Width(), 100 * 8 + 99 * 8);
}

TEST_F(Hostile, FontSizesStayWithinTheSurfacesRange) {
    const std::string shrinking = repeat("@exp[", 30) + "x" + repeat("]", 30);
    EXPECT_EQ(both(shrinking), std::nullopt);
    EXPECT_GT(formula.Width(), 0);
    const std::string growing = repeat("@dob[", 30) + "x" + repeat("]", 30);
    EXPECT_EQ(both(growing), std::nullopt);
    // 2000 pt at most: characters of 1333.3 px.
    EXPECT_NEAR(formula.Width(), 2000 * 2.0 / 3, 0.01);
    EXPECT_EQ(surface.Font().size, 12);
}

TEST_F(Hostile, DelimitersFittedToNothingOrToAGiant) {
    EXPECT_EQ(both("@par[1,,2]"), std::nullopt);
    EXPECT_EQ(both("@par[1," + repeat("@dob[", 12) + "x" + repeat("]", 12) + ",2]"), std::nullopt);
    EXPECT_EQ(both("@par[1,@mat[1,100" + repeat(",x", 100) + "],2]"), std::nullopt);
}

TEST_F(Hostile, ScalesThatAreNotNumbers) {
    for (const float scale : {0.0f, -1.0f, 1e30f, std::numeric_limits<float>::quiet_NaN(),
                              std::numeric_limits<float>::infinity()}) {
        formula.IndexScale = scale;
        formula.LimitScale = scale;
        EXPECT_EQ(both("x@exp[2]@sub[@ind[a,b]]@lim[a,b,c]"), std::nullopt) << scale;
    }
}

TEST_F(Hostile, LongFlatFormulasStayLinear) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(both(repeat("@frc[a,b]", 20000) + repeat("x", 100000)), std::nullopt);
    EXPECT_EQ(both(repeat("@par[1,x,2]", 5000)), std::nullopt);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST_F(Hostile, EveryByteAfterAnAt) {
    for (int c = 0; c < 256; ++c) {
        std::string text = "@";
        text += static_cast<char>(c);
        EXPECT_TRUE(both(text + "\\")) << c;
        EXPECT_EQ(both(std::string("\\") + static_cast<char>(c)), std::nullopt) << c;
    }
}

}  // namespace
}  // namespace cartulo::formula_test
