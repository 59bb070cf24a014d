// Boxes and ink (as FormulaFixture::brief gives it) of every construct on the fake
// surface, drawn at x = 0 on baseline 20, so the axis is at 16.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "formula_support.h"

namespace cartulo::formula_test {
namespace {

using Lines = std::vector<std::string>;

class Layout : public FormulaFixture {
  protected:
    void expectBox(std::string_view text, float width, float ascent, float descent) {
        const Measured m = size(text);
        EXPECT_FLOAT_EQ(m.width, width) << text;
        EXPECT_FLOAT_EQ(m.ascent, ascent) << text;
        EXPECT_FLOAT_EQ(m.descent, descent) << text;
    }
};

TEST_F(Layout, BoxesAndInkOfEachConstruct) {
    const struct {
        const char* text;
        float width, ascent, descent;
        const char* ink;
    } cases[] = {
        // clang-format off
        {"", 0, 4, -4, ""},  // nothing above or below the axis
        {"x", 8, 12, 4, "print 0,8 \"x\" T12 C"},
        // gap = 16 / 4 = 4: width 2*4 + 8, above and below 4/2 + 16; the bar on the axis.
        {"@frc[1,2]", 16, 22, 14, "line 0,16 16,16 w1|print 4,-2 \"1\" T12|print 4,18 \"2\" T12"},
        {"@frc[1,22]", 24, 22, 14,
         "line 0,16 24,16 w1|print 8,-2 \"1\" T12|print 4,18 \"2\" T12|print 12,18 \"2\" T12"},
        // Inner: 16 wide, 18 above and below; outer: 2*4 + 16, 2 + 36, 2 + 16.
        {"@frc[@frc[a,b],c]", 24, 42, 14, "line 0,16 24,16 w1|line 4,-4 20,-4 w1|"
         "print 8,-22 \"a\" T12 C|print 8,-2 \"b\" T12 C|print 8,18 \"c\" T12 C"},
        // h = 16: width 12 + 8; above 8 + 4; below 8; a thick stroke and a bar.
        {"@sqr[x]", 20, 16, 4,
         "line 0,16 4,24 w1|line 4,24 12,4 w2|line 12,4 20,4 w1|print 12,8 \"x\" T12 C"},
        {"@dob[x]", 16, 20, 12, "print 0,0 \"x\" T24 C"},
        {"@mit[x]", 4, 8, 0, "print 0,12 \"x\" T6 C"},
        // Indices at 12 * 0.6 = 7.2 pt: 4.8 px wide, 9.6 px high, either side of the axis.
        {"@exp[2]", 4.8f, 13.6f, -4, "print 0,6.4 \"2\" T7.2"},
        {"@sub[2]", 4.8f, 4, 5.6f, "print 0,16 \"2\" T7.2"},
        {"@ind[2,10]", 9.6f, 13.6f, 5.6f,
         "print 0,6.4 \"2\" T7.2|print 0,16 \"1\" T7.2|print 4.8,16 \"0\" T7.2"},
        {"@key[a,bb]", 24, 22, 14, nullptr},
        // The fraction is 36 high: parentheses of 27 pt, whose characters are 18 px.
        {"@par[1,@frc[a,b],2]", 52, 22, 14, "print 0,-2 \"(\" T27|line 18,16 34,16 w1|"
         "print 22,-2 \"a\" T12 C|print 22,18 \"b\" T12 C|print 34,-2 \")\" T27"},
        {"@par[0,x,2]", 16, 12, 4, "print 0,8 \"x\" T12 C|print 8,8 \")\" T12"},  // takes no room
        // Limits are centred; "lim" 24 wide, "n" 4.8; an empty one adds nothing.
        {"@lim[lim,n,]", 24, 12, 13.6f,
         "print 0,8 \"l\" T12 C|print 8,8 \"i\" T12 C|print 16,8 \"m\" T12 C|"
         "print 9.6,24 \"n\" T7.2 C"},
        {"@lim[S,,n]", 8, 21.6f, 4, "print 0,8 \"S\" T12 C|print 1.6,-1.6 \"n\" T7.2 C"},
        {"@lim[S,k,nn]", 9.6f, 21.6f, 13.6f, "print 0.8,8 \"S\" T12 C|print 2.4,24 \"k\" T7.2 C|"
         "print 0,-1.6 \"n\" T7.2 C|print 4.8,-1.6 \"n\" T7.2 C"},
        // Columns one space apart, rows too, centred on the axis; narrow cells
        // centred in their column; surplus cells stay in the last.
        {"@mat[2,2,a,b,c,d]", 24, 24, 16, "print 0,-4 \"a\" T12 C|print 16,-4 \"b\" T12 C|"
         "print 0,20 \"c\" T12 C|print 16,20 \"d\" T12 C"},
        {"@mat[1,2,ab,c]", 16, 24, 16,
         "print 0,-4 \"a\" T12 C|print 8,-4 \"b\" T12 C|print 4,20 \"c\" T12 C"},
        {"@mat[2,2,a,b,c,d,e]", 40, 24, 16, "print 0,-4 \"a\" T12 C|print 24,-4 \"b\" T12 C|"
         "print 0,20 \"c\" T12 C|print 16,20 \"d\" T12 C|"
         "print 24,20 \",\" T12|print 32,20 \"e\" T12 C"},
        {"@sym[a]", 8, 12, 4, "print 0,8 \"a\" Symbol 12 charset=2"},
        {"@int", 24, 20, 12, "print 0,0 \"\xF2\" Symbol 24 charset=2"},  // centred, a space after
        // Accents sit over their character.
        {"\\>v", 8, 12, 4, "print 0,8 \"v\" T12|print 2,4.8 \"\xAE\" Symbol 6 charset=2"},
        {"\\\xB7y", 8, 12, 4, "print 0,8 \"y\" T12|print 0,3.2 \"\xB7\" T12"},
        {"\\-z", 8, 12, 4, "print 0,8 \"z\" T12|print 0,8 \"\xAF\" T12"},
        // clang-format on
    };
    for (const auto& c : cases) {
        expectBox(c.text, c.width, c.ascent, c.descent);
        EXPECT_EQ(c.ink ? brief(c.text) : "", c.ink ? c.ink : "") << c.text;
    }
    // Drawing puts back the font size and line width it changed.
    EXPECT_EQ(surface.Font().size, 12);
    EXPECT_EQ(surface.DrawWidth(), 1);
    formula.IndexScale = 0.5f;
    expectBox("@exp[2]", 4, 12, -4);
}

TEST_F(Layout, KeyIsABraceAndTwoLeftAlignedCases) {
    const Lines lines = ink("@key[a,bb]");
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines.front(), "point 0,16 #000000");  // the brace's point, on the axis
    EXPECT_EQ(lines[lines.size() - 3], "print 8,-2 \"a\" Times New Roman 12 C #000000 opaque");
    EXPECT_EQ(lines[lines.size() - 2], "print 8,18 \"b\" Times New Roman 12 C #000000 opaque");
    EXPECT_EQ(surface.DrawWidth(), 1);  // the brace's thick pen is put back
}

TEST_F(Layout, ColourTwipsAndRepeatedPasses) {
    surface.SetForeColor(Rgb(255, 0, 0));
    for (const std::string& line : ink("@sqr[@frc[a,b]]@key[c,d]")) {
        EXPECT_NE(line.find("#FF0000"), std::string::npos) << line;
    }
    EXPECT_EQ(surface.ForeColor(), Rgb(255, 0, 0));
    // Size and Draw re-read the text every time.
    expectBox("ab", 16, 12, 4);
    EXPECT_EQ(ink("ab"), ink("ab"));
    formula.Size();
    EXPECT_FLOAT_EQ(formula.Width(), 16);
    // 12 pt in twips: 120-twip characters, 240-twip lines, 180 twips of ascent.
    surface.SetScaleMode(ScaleMode::Twips);
    expectBox("x", 120, 180, 60);
    expectBox("@frc[1,2]", 240, 330, 210);
}

TEST_F(Layout, FailuresKeepResultsAndTheFont) {
    expectBox("@frc[1,2]", 16, 22, 14);
    formula.Init("@frc[1,2");
    EXPECT_THROW(formula.Size(), FormulaError);
    EXPECT_EQ((std::vector{formula.Width(), formula.Ascent(), formula.Descent()}),
              (std::vector{16.f, 22.f, 14.f}));
    // The font stays as the failing construct set it.
    formula.Init("@dob[@xyz]");
    EXPECT_THROW(formula.Size(), FormulaError);
    EXPECT_EQ(surface.Font().size, 24);
    cVizurUzedeviVivadiz alone;  // no surface
    alone.Init("x");
    EXPECT_THROW(alone.Size(), FormulaError);
}

// Painting fills the box that Size measured: every mark lies inside it, and
// for formulas without blank room the marks reach each of its sides.
struct Extent {
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
    void add(double x, double y) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
    }
};

// The area each mark covers, with the fake surface's metrics in pixels.
Extent extentOf(const Lines& ink) {
    Extent e;
    for (const std::string& l : ink) {
        double x, y, x2, y2;
        if (std::sscanf(l.c_str(), "line %lf,%lf %lf,%lf", &x, &y, &x2, &y2) == 4) {
            e.add(x, y), e.add(x2, y2);
        } else if (std::sscanf(l.c_str(), "point %lf,%lf", &x, &y) == 2) {
            e.add(x, y);
        } else if (std::sscanf(l.c_str(), "print %lf,%lf", &x, &y) == 2) {
            const auto open = l.find('"'), close = l.rfind('"');
            const double pt =
                std::strtod(l.c_str() + l.find_first_of("0123456789", close), nullptr);
            e.add(x, y);
            e.add(x + pt * 2 / 3 * static_cast<double>(close - open - 1), y + pt * 4 / 3);
        }
    }
    return e;
}

TEST_F(Layout, PaintingStaysInsideTheMeasuredBox) {
    const auto check = [this](const char* text, bool tight) {
        SCOPED_TRACE(text);
        constexpr double kTolerance = 0.002;  // the log rounds to 3 decimals
        const Measured m = size(text);
        const float x = 7, y = 50;
        const Extent e = extentOf(ink(text, x, y));
        EXPECT_GE(e.left, x - kTolerance);
        EXPECT_LE(e.right, x + m.width + kTolerance);
        EXPECT_GE(e.top, y - m.ascent - kTolerance);
        EXPECT_LE(e.bottom, y + m.descent + kTolerance);
        if (!tight) return;
        EXPECT_NEAR(e.left, x, kTolerance);
        EXPECT_NEAR(e.right, x + m.width, kTolerance);
        EXPECT_NEAR(e.top, y - m.ascent, kTolerance);
        EXPECT_NEAR(e.bottom, y + m.descent, kTolerance);
    };
    // clang-format off
    for (const char* text : {"a+b=c", "@frc[@frc[a,b],@sqr[c]]", "@sqr[@frc[1,@sqr[2]]]",
             "@dob[x]@mit[y]", "x@exp[2]", "x@sub[i]", "@key[x,-x]", "@key[@frc[a,b],c]",
             "@par[8,x,288]", "@par[1,,2]", "@par[1,@exp[],2]", "@par[3,@mat[2,2,a,b,c,d],4]",
             "@lim[lim,n,]", "@lim[@sym[83],k=1,n]", "@mat[3,2,a,@frc[1,2],c,d,e,@sqr[f]]",
             "@sym[abc]", "@int f", "_sin_ x", "@exp[@exp[@exp[x]]]", "@sub[@sub[@sub[x]]]",
             "\\-x\xAFy"}) {
        // clang-format on
        check(text, false);
    }
    for (const char* text :
         {"x", "@frc[1,2]", "@frc[@frc[a,b],c]", "@sqr[x]", "@sqr[@frc[a,b]]", "@key[a,bb]",
          "@par[1,@frc[a,b],2]", "@mat[2,2,a,b,c,d]", "@lim[S,k,n]", "x@ind[2,i]", "@sym[p]"}) {
        check(text, true);
    }
}

}  // namespace
}  // namespace cartulo::formula_test
