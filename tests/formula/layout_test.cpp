// Boxes and painted operations of every construct on the fake surface
// (12 pt: characters 8 px wide, lines 16 px high, ascent 12 px, so the axis
// is 4 px above the baseline). Drawn at x = 0 and baseline 20: axis at 16.
#include <string>
#include <vector>

#include "formula_support.h"

namespace cartulo::formula_test {
namespace {

using Lines = std::vector<std::string>;

class Layout : public FormulaFixture {};

void expectBox(const Measured& m, float width, float ascent, float descent) {
    EXPECT_FLOAT_EQ(m.width, width);
    EXPECT_FLOAT_EQ(m.ascent, ascent);
    EXPECT_FLOAT_EQ(m.descent, descent);
}

TEST_F(Layout, EmptyFormulaHasNoBoxAroundTheAxisAndPaintsNothing) {
    // Zero above and below the axis, which is 4 px above the baseline.
    expectBox(size(""), 0, 4, -4);
    EXPECT_TRUE(ink("").empty());
}

TEST_F(Layout, LetterIsItalicAndOneLineHigh) {
    const Measured m = size("x");
    expectBox(m, 8, 12, 4);
    EXPECT_FLOAT_EQ(m.ascent + m.descent, 16);
    EXPECT_EQ(ink("x"), (Lines{"print 0,8 \"x\" Times New Roman 12 C #000000 opaque"}));
}

TEST_F(Layout, FractionBarIsTheWiderPartPlusTwoGapsOnTheAxis) {
    // gap = 16 / 4 = 4: width 2*4 + 8, above and below 4/2 + 16.
    expectBox(size("@frc[1,2]"), 16, 22, 14);
    EXPECT_EQ(ink("@frc[1,2]"), (Lines{
                                    "line 0,16 16,16 #000000 w1",
                                    "print 4,-2 \"1\" Times New Roman 12 #000000 opaque",
                                    "print 4,18 \"2\" Times New Roman 12 #000000 opaque",
                                }));
    // The bar lies half a line below the top of the text line (20 - 12).
    EXPECT_EQ(ink("@frc[1,22]").front(), "line 0,16 24,16 #000000 w1");
    EXPECT_EQ(ink("@frc[1,22]")[1], "print 8,-2 \"1\" Times New Roman 12 #000000 opaque");
}

TEST_F(Layout, NestedFractionsSplitOnlyTheOuterList) {
    // Inner: 16 wide, 18 above and below; outer: 2*4 + 16, 2 + 36, 2 + 16.
    expectBox(size("@frc[@frc[a,b],c]"), 24, 42, 14);
}

TEST_F(Layout, RootHasAThickStrokeAndABar) {
    // h = 16: width 12 + 8; above 8 + 4; below 8.
    expectBox(size("@sqr[x]"), 20, 16, 4);
    EXPECT_EQ(ink("@sqr[x]"), (Lines{
                                  "line 0,16 4,24 #000000 w1",
                                  "line 4,24 12,4 #000000 w2",
                                  "line 12,4 20,4 #000000 w1",
                                  "print 12,8 \"x\" Times New Roman 12 C #000000 opaque",
                              }));
    EXPECT_EQ(surface.DrawWidth(), 1);
}

TEST_F(Layout, SizeCommandsScaleTheFont) {
    expectBox(size("@dob[x]"), 16, 20, 12);
    expectBox(size("@mit[x]"), 4, 8, 0);
    EXPECT_EQ(ink("@dob[x]"), (Lines{"print 0,0 \"x\" Times New Roman 24 C #000000 opaque"}));
    EXPECT_EQ(surface.Font().size, 12);
}

TEST_F(Layout, IndicesSitOnEitherSideOfTheAxis) {
    // 12 * 0.6 = 7.2 pt: 4.8 px wide, 9.6 px high.
    expectBox(size("@exp[2]"), 4.8f, 13.6f, -4);
    expectBox(size("@sub[2]"), 4.8f, 4, 5.6f);
    expectBox(size("@ind[2,10]"), 9.6f, 13.6f, 5.6f);
    EXPECT_EQ(ink("@ind[2,10]"), (Lines{
                                     "print 0,6.4 \"2\" Times New Roman 7.2 #000000 opaque",
                                     "print 0,16 \"1\" Times New Roman 7.2 #000000 opaque",
                                     "print 4.8,16 \"0\" Times New Roman 7.2 #000000 opaque",
                                 }));
    formula.IndexScale = 0.5f;
    expectBox(size("@exp[2]"), 4, 12, -4);
}

TEST_F(Layout, KeyIsABraceAndTwoLeftAlignedCases) {
    expectBox(size("@key[a,bb]"), 24, 22, 14);
    const Lines lines = ink("@key[a,bb]");
    ASSERT_GE(lines.size(), 4u);
    // Starts at the brace's point, on the axis.
    EXPECT_EQ(lines.front(), "point 0,16 #000000");
    EXPECT_EQ(lines[lines.size() - 3], "print 8,-2 \"a\" Times New Roman 12 C #000000 opaque");
    EXPECT_EQ(lines[lines.size() - 2], "print 8,18 \"b\" Times New Roman 12 C #000000 opaque");
    int points = 0;
    for (const std::string& l : lines) {
        if (l.starts_with("point ")) ++points;
        if (l.starts_with("line ")) {
            EXPECT_TRUE(l.ends_with(" w2")) << l;
        }
    }
    EXPECT_EQ(points, 4);  // one per quarter arc
    EXPECT_EQ(surface.DrawWidth(), 1);
}

TEST_F(Layout, ParenthesesAreFittedToTheFractionsHeight) {
    // The fraction is 36 high: 36 px = 27 pt, whose characters are 18 px.
    expectBox(size("@par[1,@frc[a,b],2]"), 52, 22, 14);
    const Lines lines = ink("@par[1,@frc[a,b],2]");
    EXPECT_EQ(lines.front(), "print 0,-2 \"(\" Times New Roman 27 #000000 opaque");
    EXPECT_EQ(lines[1], "line 18,16 34,16 #000000 w1");
    EXPECT_EQ(lines.back(), "print 34,-2 \")\" Times New Roman 27 #000000 opaque");
    EXPECT_EQ(surface.Font().size, 12);
}

TEST_F(Layout, EmptyDelimiterTakesNoRoom) {
    expectBox(size("@par[0,x,2]"), 16, 12, 4);
    EXPECT_EQ(ink("@par[0,x,2]"), (Lines{
                                      "print 0,8 \"x\" Times New Roman 12 C #000000 opaque",
                                      "print 8,8 \")\" Times New Roman 12 #000000 opaque",
                                  }));
}

TEST_F(Layout, LimitsAreCentredAndAnEmptyOneAddsNothing) {
    // "lim" 24 wide and 16 high; "n" at 7.2 pt: 4.8 wide, 9.6 high.
    expectBox(size("@lim[lim,n,]"), 24, 12, 13.6f);
    EXPECT_EQ(ink("@lim[lim,n,]").back(),
              "print 9.6,24 \"n\" Times New Roman 7.2 C #000000 opaque");
    expectBox(size("@lim[S,,n]"), 8, 21.6f, 4);
    expectBox(size("@lim[S,k,nn]"), 9.6f, 21.6f, 13.6f);
}

TEST_F(Layout, MatrixColumnsAreOneSpaceApartAndCentredOnTheAxis) {
    // Two 8-px columns and a space; two 16-px rows and a space.
    expectBox(size("@mat[2,2,a,b,c,d]"), 24, 24, 16);
    EXPECT_EQ(ink("@mat[2,2,a,b,c,d]"), (Lines{
                                            "print 0,-4 \"a\" Times New Roman 12 C #000000 opaque",
                                            "print 16,-4 \"b\" Times New Roman 12 C #000000 opaque",
                                            "print 0,20 \"c\" Times New Roman 12 C #000000 opaque",
                                            "print 16,20 \"d\" Times New Roman 12 C #000000 opaque",
                                        }));
    // Narrow cells are centred in their column; surplus cells stay in the last.
    EXPECT_EQ(ink("@mat[1,2,ab,c]")[2], "print 4,20 \"c\" Times New Roman 12 C #000000 opaque");
    expectBox(size("@mat[2,2,a,b,c,d,e]"), 40, 24, 16);
}

TEST_F(Layout, SymbolTextSharesTheBaseline) {
    expectBox(size("@sym[a]"), 8, 12, 4);
    EXPECT_EQ(ink("@sym[a]"), (Lines{"print 0,8 \"a\" Symbol 12 charset=2 #000000 opaque"}));
}

TEST_F(Layout, IntegralIsDoubleSizeAndCentredWithASpaceAfter) {
    expectBox(size("@int"), 24, 20, 12);
    EXPECT_EQ(ink("@int"), (Lines{"print 0,0 \"\xF2\" Symbol 24 charset=2 #000000 opaque"}));
}

TEST_F(Layout, AccentsSitOverTheirCharacter) {
    expectBox(size("\\>v"), 8, 12, 4);
    EXPECT_EQ(ink("\\>v"), (Lines{
                               "print 0,8 \"v\" Times New Roman 12 #000000 opaque",
                               "print 2,4.8 \"\xAE\" Symbol 6 charset=2 #000000 opaque",
                           }));
    EXPECT_EQ(ink("\\\xB7y")[1], "print 0,3.2 \"\xB7\" Times New Roman 12 #000000 opaque");
    EXPECT_EQ(ink("\\-z")[1], "print 0,8 \"\xAF\" Times New Roman 12 #000000 opaque");
}

TEST_F(Layout, InkIsInTheForeColour) {
    surface.SetForeColor(Rgb(255, 0, 0));
    for (const std::string& line : ink("@sqr[@frc[a,b]]@key[c,d]")) {
        EXPECT_NE(line.find("#FF0000"), std::string::npos) << line;
    }
    EXPECT_EQ(surface.ForeColor(), Rgb(255, 0, 0));
}

TEST_F(Layout, AFailedSizeKeepsThePreviousResults) {
    expectBox(size("@frc[1,2]"), 16, 22, 14);
    formula.Init("@frc[1,2");
    EXPECT_THROW(formula.Size(), FormulaError);
    EXPECT_FLOAT_EQ(formula.Width(), 16);
    EXPECT_FLOAT_EQ(formula.Ascent(), 22);
    EXPECT_FLOAT_EQ(formula.Descent(), 14);
}

TEST_F(Layout, ErrorsLeaveTheFontAsTheFailingConstructSetIt) {
    formula.Init("@dob[@xyz]");
    EXPECT_THROW(formula.Size(), FormulaError);
    EXPECT_EQ(surface.Font().size, 24);
}

TEST_F(Layout, SizeAndDrawReReadTheTextEveryTime) {
    expectBox(size("ab"), 16, 12, 4);
    EXPECT_EQ(ink("ab"), ink("ab"));
    formula.Size();
    EXPECT_FLOAT_EQ(formula.Width(), 16);
}

TEST_F(Layout, WorksInTwips) {
    surface.SetScaleMode(ScaleMode::Twips);
    // 12 pt: 120 twips wide characters, 240-twip lines, 180 twips of ascent.
    expectBox(size("x"), 120, 180, 60);
    expectBox(size("@frc[1,2]"), 240, 330, 210);
}

TEST_F(Layout, WithoutASurfaceSizeFails) {
    cVizurUzedeviVivadiz alone;
    alone.Init("x");
    EXPECT_THROW(alone.Size(), FormulaError);
    EXPECT_EQ(cVizurUzedeviVivadiz::Version(), "2.0.100218");
}

}  // namespace
}  // namespace cartulo::formula_test
