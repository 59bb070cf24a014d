// Hostile formulas: each ends with an error or a defined result, within bounded
// stack, and paints nothing outside what it measured.
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
    for (std::size_t i = 0; i < n; ++i) s += piece;
    return s;
}

std::string nested(std::string_view open, int depth, std::string_view inner = "x",
                   std::string_view close = "]") {
    return repeat(open, depth) + std::string(inner) + repeat(close, depth);
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

TEST_F(Hostile, NestingStopsAtTheLimit) {
    const std::string tooDeep = "F\xF3rmula demasiado anidada.";
    const std::string open = "Error de sintaxis: corchete no cerrado.";
    EXPECT_EQ(both(repeat("@frc[", 10000)), open);
    EXPECT_EQ(both(nested("@frc[", 10000, "a", ",b]")), tooDeep);
    EXPECT_EQ(both(nested("@dob[", 10000)), tooDeep);
    EXPECT_EQ(both(nested("@sqr[", Typesetter::kMaxNesting)), std::nullopt);
    EXPECT_EQ(both(nested("@sqr[", Typesetter::kMaxNesting + 1)), tooDeep);
    for (int depth = 1; depth <= Typesetter::kMaxNesting + 2; ++depth) {
        EXPECT_EQ(both(repeat("@frc[", depth) + "a,b" + repeat("]", depth - 1)), open) << depth;
        EXPECT_TRUE(both(repeat("@par[1,", depth) + "x" + repeat(",2]", depth - 1) + ",2"))
            << depth;
    }
}

TEST_F(Hostile, SizesAtAndPastTheLimits) {
    // The largest matrix fits, with its ten thousand cells.
    EXPECT_EQ(both("@mat[100,100" + repeat(",x", 100 * 100) + "]"), std::nullopt);
    EXPECT_FLOAT_EQ(formula.Width(), 100 * 8 + 99 * 8);
    EXPECT_EQ(both(nested("@exp[", 30)), std::nullopt);
    EXPECT_GT(formula.Width(), 0);
    EXPECT_EQ(both(nested("@dob[", 30)), std::nullopt);
    EXPECT_NEAR(formula.Width(), 2000 * 2.0 / 3, 0.01);  // 2000 pt at most: 1333.3-px characters
    EXPECT_EQ(surface.Font().size, 12);
    // Delimiters fitted to nothing or to a giant.
    EXPECT_EQ(both("@par[1,,2]"), std::nullopt);
    EXPECT_EQ(both("@par[1," + nested("@dob[", 12) + ",2]"), std::nullopt);
    EXPECT_EQ(both("@par[1,@mat[1,100" + repeat(",x", 100) + "],2]"), std::nullopt);
    for (const float scale : {0.0f, -1.0f, 1e30f, std::numeric_limits<float>::quiet_NaN(),
                              std::numeric_limits<float>::infinity()}) {
        formula.IndexScale = formula.LimitScale = scale;
        EXPECT_EQ(both("x@exp[2]@sub[@ind[a,b]]@lim[a,b,c]"), std::nullopt) << scale;
    }
}

TEST_F(Hostile, LongFlatFormulasAndEveryByteAfterAnAt) {
    EXPECT_EQ(both(repeat("@frc[a,b]", 20000) + repeat("x", 100000)), std::nullopt);
    EXPECT_EQ(both(repeat("@par[1,x,2]", 5000)), std::nullopt);
    for (int c = 0; c < 256; ++c) {
        EXPECT_TRUE(both(std::string("@") + static_cast<char>(c) + "\\")) << c;
        EXPECT_EQ(both(std::string("\\") + static_cast<char>(c)), std::nullopt) << c;
    }
}

}  // namespace
}  // namespace cartulo::formula_test
