// Painting fills the box that Size measured: every mark lies inside it, and
// for formulas without blank room the marks reach each of its sides.
#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

#include "formula_support.h"

namespace cartulo::formula_test {
namespace {

struct Extent {
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
    void add(double x, double y) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
};

double number(std::string_view text) {
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

// "X,Y" at the start of `text`.
void point(std::string_view text, double& x, double& y) {
    const auto comma = text.find(',');
    x = number(text.substr(0, comma));
    y = number(text.substr(comma + 1));
}

// The area each mark covers, with the fake surface's metrics in pixels.
Extent extentOf(const std::vector<std::string>& ink) {
    Extent e;
    for (const std::string& line : ink) {
        const std::string_view l(line);
        if (l.starts_with("print ")) {
            double x, y;
            point(l.substr(6), x, y);
            const auto open = l.find('"'), close = l.rfind('"');
            const std::size_t length = close - open - 1;
            std::string_view font = l.substr(close + 2);
            for (const std::string_view name : {"Times New Roman ", "Symbol "}) {
                if (font.starts_with(name)) font.remove_prefix(name.size());
            }
            const double size = number(font.substr(0, font.find(' ')));
            e.add(x, y);
            e.add(x + size * 2 / 3 * static_cast<double>(length), y + size * 4 / 3);
        } else if (l.starts_with("line ")) {
            double x1, y1, x2, y2;
            point(l.substr(5), x1, y1);
            point(l.substr(l.find(' ', 5) + 1), x2, y2);
            e.add(x1, y1);
            e.add(x2, y2);
        } else if (l.starts_with("point ")) {
            double x, y;
            point(l.substr(6), x, y);
            e.add(x, y);
        }
    }
    return e;
}

constexpr double kTolerance = 0.002;  // the log rounds to 3 decimals

class Agreement : public FormulaFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(Agreement, PaintingStaysInsideTheMeasuredBox) {
    const Measured m = size(GetParam());
    const float x = 7, y = 50;
    const Extent e = extentOf(ink(GetParam(), x, y));
    EXPECT_GE(e.left, x - kTolerance);
    EXPECT_LE(e.right, x + m.width + kTolerance);
    EXPECT_GE(e.top, y - m.ascent - kTolerance);
    EXPECT_LE(e.bottom, y + m.descent + kTolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Formulas, Agreement,
    ::testing::Values("x", "a+b=c", "@frc[1,2]", "@frc[@frc[a,b],@sqr[c]]", "@sqr[x]",
                      "@sqr[@frc[1,@sqr[2]]]", "@dob[x]@mit[y]", "x@exp[2]", "x@sub[i]",
                      "x@ind[2,i]", "@key[x,-x]", "@key[@frc[a,b],c]", "@par[1,@frc[a,b],2]",
                      "@par[8,x,288]", "@par[1,,2]", "@par[1,@exp[],2]",
                      "@par[3,@mat[2,2,a,b,c,d],4]", "@lim[lim,n,]", "@lim[@sym[83],k=1,n]",
                      "@mat[3,2,a,@frc[1,2],c,d,e,@sqr[f]]", "@sym[abc]", "@int f", "_sin_ x",
                      "@exp[@exp[@exp[x]]]", "@sub[@sub[@sub[x]]]", "\\-x\xAFy"));

class TightBox : public FormulaFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(TightBox, MarksReachEverySide) {
    const Measured m = size(GetParam());
    const float x = 7, y = 50;
    const Extent e = extentOf(ink(GetParam(), x, y));
    EXPECT_NEAR(e.left, x, kTolerance);
    EXPECT_NEAR(e.right, x + m.width, kTolerance);
    EXPECT_NEAR(e.top, y - m.ascent, kTolerance);
    EXPECT_NEAR(e.bottom, y + m.descent, kTolerance);
}

INSTANTIATE_TEST_SUITE_P(Formulas, TightBox,
                         ::testing::Values("x", "@frc[1,2]", "@frc[@frc[a,b],c]", "@sqr[x]",
                                           "@sqr[@frc[a,b]]", "@key[a,bb]", "@par[1,@frc[a,b],2]",
                                           "@mat[2,2,a,b,c,d]", "@lim[S,k,n]", "x@ind[2,i]",
                                           "@sym[p]"));

}  // namespace
}  // namespace cartulo::formula_test
