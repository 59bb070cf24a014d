// Painting as the fake surface records it: 600 x 400 pt in points, Times
// New Roman 12 (6 pt characters, 12 pt lines, 9 pt above the baseline).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace cartulo {
namespace {

using richtext::HotZone;
using richtext::ZoneKind;
using testing::EngineTest;
using testing::Join;
using Strings = std::vector<std::string>;

std::string Repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

std::string Describe(const HotZone& z) {
    char box[128];
    std::snprintf(box, sizeof box, "%g,%g %g,%g k%d ", z.x1, z.y1, z.x2, z.y2,
                  static_cast<int>(z.kind));
    return box + z.s1 + "|" + z.s2 + "|" + z.s3;
}

class Painting : public EngineTest {
  protected:
    // The ink of one DrawText from the top with the default edges.
    std::string Paint(const std::string& text) {
        surface.ClearLog();
        engine.DrawText(text, 0, 0, 0, -1);
        return Join(surface.Ink());
    }
    Strings Zones() const {
        Strings out;
        for (const HotZone& z : engine.HotZones().All()) out.push_back(Describe(z));
        return out;
    }
};

struct GoldenCase {
    std::string text;
    std::string ink;
};

TEST_F(Painting, Golden) {
    const GoldenCase cases[] = {
        {"Hola mundo",
         "print 6,0 \"Hola \" Times New Roman 12 #000000\n"
         "print 36,0 \"mundo\" Times New Roman 12 #000000\n"},
        // Style tags act from where they stand; the tallest font sets the
        // baseline (18) and each run hangs from it by its own ascent.
        {"a{N}b{C}c{U}d {Q:rojo}e{F:Arial}f{T:24}g",
         "print 6,9 \"a\" Times New Roman 12 #000000\n"
         "print 12,9 \"b\" Times New Roman 12 N #000000\n"
         "print 18,9 \"c\" Times New Roman 12 N C #000000\n"
         "print 24,9 \"d \" Times New Roman 12 N C U #000000\n"
         "print 36,9 \"e\" Times New Roman 12 N C U #FF0000\n"
         "print 42,9 \"f\" Arial 12 N C U #FF0000\n"
         "print 48,0 \"g\" Arial 24 N C U #FF0000\n"},
        {"{N}a{N}b{N:0}c{N:1}d{N:0}",
         "print 6,0 \"a\" Times New Roman 12 N #000000\n"
         "print 12,0 \"b\" Times New Roman 12 #000000\n"
         "print 18,0 \"c\" Times New Roman 12 #000000\n"
         "print 24,0 \"d\" Times New Roman 12 N #000000\n"},
        {"{Q:900}a{Q:12}b{Q:#FF8000}c{Q:GRIS}d{Q:1234}e{Q:3d}f{Q}g",
         "print 6,0 \"a\" Times New Roman 12 #FF0000\n"
         "print 12,0 \"b\" Times New Roman 12 #FF0000\n"
         "print 18,0 \"c\" Times New Roman 12 #FF8000\n"
         "print 24,0 \"d\" Times New Roman 12 #C0C0C0\n"
         "print 30,0 \"e\" Times New Roman 12 #C0C0C0\n"
         "print 36,0 \"f\" Times New Roman 12 #C0C0C0\n"
         "print 42,0 \"g\" Times New Roman 12 #000000\n"},
        // Tag names ignore letter case; values are trimmed.
        {"{t:20}a{T: 20 }b",
         "print 6,0 \"a\" Times New Roman 20 #000000\n"
         "print 16,0 \"b\" Times New Roman 20 #000000\n"},
        {"{F:Arial}a{F}b{T:6}c{T}d{T:0}e",
         "print 6,0 \"a\" Arial 12 #000000\n"
         "print 12,0 \"b\" Times New Roman 12 #000000\n"
         "print 18,4.5 \"c\" Times New Roman 6 #000000\n"
         "print 21,0 \"d\" Times New Roman 12 #000000\n"
         "print 27,0 \"e\" Times New Roman 12 #000000\n"},
        // Subscript: half size, a half-size line lower; superscript: half
        // size, tops aligned.
        {"x{ID:2}y{IU:3}",
         "print 6,0 \"x\" Times New Roman 12 #000000\n"
         "print 12,6 \"2\" Times New Roman 6 #000000\n"
         "print 15,0 \"y\" Times New Roman 12 #000000\n"
         "print 21,0 \"3\" Times New Roman 6 #000000\n"},
        {"{SY:abg}d",
         "print 6,0 \"abg\" Symbol 12 charset=2 #000000\n"
         "print 24,0 \"d\" Times New Roman 12 #000000\n"},
        // Spaces and tabs.
        {"a{HD:10}b{SP:5}c",
         "print 6,0 \"a\" Times New Roman 12 #000000\n"
         "print 22,0 \"b\" Times New Roman 12 #000000\n"
         "print 33,0 \"c\" Times New Roman 12 #000000\n"},
        {"ab {TA:100}cd ef",
         "print 6,0 \"ab \" Times New Roman 12 #000000\n"
         "print 106,0 \"cd \" Times New Roman 12 #000000\n"
         "print 124,0 \"ef\" Times New Roman 12 #000000\n"},
        // {VD:} moves the painting down for the rest of the text.
        {"a {VD:10}b\r\nc",
         "print 6,0 \"a \" Times New Roman 12 #000000\n"
         "print 18,10 \"b\" Times New Roman 12 #000000\n"
         "print 6,28 \"c\" Times New Roman 12 #000000\n"},
        // Blanks after the last word are not printed, even on their own.
        {"a{N}   ", "print 6,0 \"a\" Times New Roman 12 #000000\n"},
        {"a   ", "print 6,0 \"a\" Times New Roman 12 #000000\n"},
        // Unclosed braces show as written.
        {"a{b c",
         "print 6,0 \"a\" Times New Roman 12 #000000\n"
         "print 12,0 \"{b \" Times New Roman 12 #000000\n"
         "print 30,0 \"c\" Times New Roman 12 #000000\n"},
        // ... up to the end of the paragraph or a quote.
        {"a{b\r\nc",
         "print 6,0 \"a\" Times New Roman 12 #000000\n"
         "print 12,0 \"{b\" Times New Roman 12 #000000\n"
         "print 6,18 \"c\" Times New Roman 12 #000000\n"},
        {"a{b\xAB"
         "c\xBB",
         "print 6,0 \"a\" Times New Roman 12 #000000\n"
         "print 12,0 \"{b\" Times New Roman 12 #000000\n"
         "print 24,0 \"c\" Times New Roman 12 U #0000FF\n"},
        // The frame's body, from the right margin (frame_test.cpp).
        {"b {FR:0,0,0,0}marco{/FR}c",
         "print 6,0 \"b \" Times New Roman 12 #000000\n"
         "print 576,0 \"marco\" Times New Roman 12 #000000\n"
         "print 18,0 \"c\" Times New Roman 12 #000000\n"},
        // An object 72 x 36 pt stands 27 pt above the baseline, its script
        // drawn in its box; a formula paints at the pen and moves it on.
        {"a{O:72,36,drawscript}0 0 move 72 36 line stroke{/O}b c{FO:x@exp[2]}d",
         "print 6,18 \"a\" Times New Roman 12 #000000\n"
         "point 12,0 #000000\n"
         "line 12,0 84,36 #000000 w1\n"
         "print 84,18 \"b \" Times New Roman 12 #000000\n"
         "print 96,18 \"c\" Times New Roman 12 #000000\n"
         "print 102,18 \"x\" Times New Roman 12 C #000000\n"
         "print 108,16.8 \"2\" Times New Roman 7.2 #000000\n"
         "print 111.6,18 \"d\" Times New Roman 12 #000000\n"},
    };
    for (const GoldenCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Paint(c.text), c.ink);
    }
}

TEST_F(Painting, EveryCallStartsFromTheDefaults) {
    engine.DefaultColor = Rgb(0, 128, 0);
    engine.DefaultFont = "Arial";
    engine.DefaultSize = 10;
    Paint("{N}{C}{U}{T:30}{F:Tahoma}{Q:rojo}x");
    EXPECT_EQ(Paint("b{Q:17}c{Q:18}d{Q:rojo}e{Q:defecto}f"),
              "print 6,0 \"b\" Arial 10 #008000\n"
              "print 11,0 \"c\" Arial 10 #008000\n"
              "print 16,0 \"d\" Arial 10 #008000\n"
              "print 21,0 \"e\" Arial 10 #FF0000\n"
              "print 26,0 \"f\" Arial 10 #008000\n");
    // The text is printed without its background box.
    EXPECT_EQ(surface.Log().back().find("opaque"), std::string::npos);
}

TEST_F(Painting, Expressions) {
    engine.Evaluate = [](std::string& value) {
        if (value == "fecha") value = "hoy";
        if (value == ":la") value = "{";
    };
    EXPECT_EQ(Paint("{@fecha} {@otra} {@:la}"),
              "print 6,0 \"hoy\" Times New Roman 12 #000000\n"
              "print 24,0 \" \" Times New Roman 12 #000000\n"
              "print 30,0 \"otra\" Times New Roman 12 #000000\n"
              "print 54,0 \" \" Times New Roman 12 #000000\n"
              "print 60,0 \"{\" Times New Roman 12 #000000\n");
    // The result's top is at the baseline less the token's ascent.
    EXPECT_EQ(Paint("{T:24}A{T:12}{@fecha}"),
              "print 6,0 \"A\" Times New Roman 24 #000000\n"
              "print 18,0 \"hoy\" Times New Roman 12 #000000\n");
    int calls = 0;
    engine.Evaluate = [&](std::string& value) {
        ++calls;
        value = "[" + value + "]";
    };
    EXPECT_EQ(Paint("{@ x }"), "print 6,0 \"[ x ]\" Times New Roman 12 #000000\n");
    EXPECT_EQ(calls, 2);  // once measured, once painted
}

TEST_F(Painting, UnansweredExpressionsShowThemselves) {
    EXPECT_EQ(Paint("{@:la}"), "print 6,0 \":la\" Times New Roman 12 #000000\n");
}

TEST_F(Painting, LinksAndPopups) {
    EXPECT_EQ(Paint("{L:Casa,la casa} y {P:ver,la nota}"),
              "print 6,0 \"la casa\" Times New Roman 12 U #0000FF\n"
              "print 48,0 \" \" Times New Roman 12 #000000\n"
              "print 54,0 \"y \" Times New Roman 12 #000000\n"
              "print 66,0 \"ver\" Times New Roman 12 U #0000FF\n");
    EXPECT_EQ(Zones(), (Strings{"6,0 48,12 k0 Casa||", "66,0 84,12 k3 la nota||"}));
    engine.HT_Color = Rgb(255, 0, 255);
    EXPECT_EQ(Paint("{U}{Q:rojo}{L:a,b}c"),
              "print 6,0 \"b\" Times New Roman 12 U #FF00FF\n"
              "print 12,0 \"c\" Times New Roman 12 U #FF0000\n");
}

TEST_F(Painting, QuotedLinks) {
    EXPECT_EQ(Paint("\xAB"
                    "Casa grande\xBB m\xE1s"),
              "print 6,0 \"Casa \" Times New Roman 12 U #0000FF\n"
              "print 36,0 \"grande\" Times New Roman 12 U #0000FF\n"
              "print 72,0 \" \" Times New Roman 12 #000000\n"
              "print 78,0 \"m\xE1s\" Times New Roman 12 #000000\n");
    EXPECT_EQ(Zones(), (Strings{"6,0 72,12 k0 Casa grande||"}));
    // The target is the text between the quotes as written, tags and all.
    Paint(
        "\xAB"
        "{N}Casa\xBB");
    EXPECT_EQ(Zones(), (Strings{"6,0 30,12 k0 {N}Casa||"}));
}

TEST_F(Painting, ALinkThatWrapsMakesAZonePerLine) {
    Paint("\xAB" + Repeat("w ", 100) + "\xBB fin");
    const auto& zones = engine.HotZones().All();
    ASSERT_EQ(zones.size(), 3u);
    for (const HotZone& z : zones) EXPECT_EQ(z.s1, Repeat("w ", 100));
    EXPECT_EQ(zones[0].x1, 6);
    EXPECT_EQ(zones[0].y1, 0);
    EXPECT_EQ(zones[1].x1, 10);  // from the left margin
    EXPECT_EQ(zones[1].y1, 12);
    EXPECT_EQ(zones[2].y2, 36);
}

TEST_F(Painting, MisusedQuotesPaintPlainText) {
    EXPECT_EQ(Paint("a\xBB b \xAB"
                    "c"),
              "print 6,0 \"a\" Times New Roman 12 #000000\n"
              "print 12,0 \" \" Times New Roman 12 #000000\n"
              "print 18,0 \"b \" Times New Roman 12 #000000\n"
              "print 30,0 \"c\" Times New Roman 12 #000000\n");
    EXPECT_TRUE(engine.HotZones().All().empty());
}

TEST_F(Painting, JustificationGapsAreFilledWithBlanks) {
    // 30 pt free over 17 gaps on the first line: one blank in each, printed
    // in the word's style so that an underline runs on.
    surface.ClearLog();
    engine.DrawText("{U}" + Repeat("abcd ", 19), 0, 0, 0, -1);
    const std::vector<std::string> ink = surface.Ink();
    EXPECT_EQ(ink[1], "print 36,0 \" \" Times New Roman 12 U #000000");
    EXPECT_EQ(ink[2], "print 37.765,0 \"abcd \" Times New Roman 12 U #000000");
    // A wider gap takes as many blanks as cover it.
    // 78 pt free: 13 blanks.
    const std::string c(20, 'c');
    EXPECT_EQ(Paint("{J:3}" + std::string(40, 'a') + " " + std::string(40, 'b') + " " + c),
              "print 6,0 \"" + std::string(40, 'a') + " \" Times New Roman 12 #000000\n" +
                  "print 252,0 \"" + std::string(13, ' ') + "\" Times New Roman 12 #000000\n" +
                  "print 330,0 \"" + std::string(40, 'b') +
                  "\" Times New Roman 12 #000000\n"
                  "print 10,12 \"" +
                  c + "\" Times New Roman 12 #000000\n");
}

TEST_F(Painting, BackgroundColour) {
    EXPECT_EQ(Paint("a\r\n{W:rojo}b c"),
              "print 6,0 \"a\" Times New Roman 12 #000000\n"
              "rect 0,12 600,400 #FF0000 filled w1\n"
              "print 6,18 \"b \" Times New Roman 12 #000000\n"
              "print 18,18 \"c\" Times New Roman 12 #000000\n");
    // On a line that does not start a paragraph the fill starts at its top.
    EXPECT_NE(
        Paint(std::string(100, 'x') + " {W:#00FF00}b").find("rect 0,12 600,400 #00FF00 filled"),
        std::string::npos);
}

TEST_F(Painting, StandardPen) {
    engine.SetPenWidth();
    EXPECT_EQ(surface.DrawWidth(), 1);
    FakeSurface printer(12000, 8000, ScaleMode::Twips, true);
    engine.Ctrl = &printer;
    engine.SetPenWidth();
    EXPECT_EQ(printer.DrawWidth(), 1);  // 21 twips at 15 twips per pixel
}

// A 1440 dots per inch printer: one twip per pixel.
class FinePrinter : public FakeSurface {
  public:
    using FakeSurface::FakeSurface;
    double TwipsPerPixelX() const override { return 1; }
};

TEST_F(Painting, StandardPenOnAPrinter) {
    // In twips: the printer pixels in 21 twips.
    FinePrinter twips(12000, 8000, ScaleMode::Twips, true);
    engine.Ctrl = &twips;
    engine.SetPenWidth();
    EXPECT_EQ(twips.DrawWidth(), 21);
    // In points and in pixels: 1.05 picture pixels, a picture pixel being a
    // point on a printer, so one unit whatever the resolution.
    FinePrinter points(600, 400, ScaleMode::Points, true);
    points.SetDrawWidth(7);
    engine.Ctrl = &points;
    engine.SetPenWidth();
    EXPECT_EQ(points.DrawWidth(), 1);
    FinePrinter pixels(9000, 6000, ScaleMode::Pixels, true);
    pixels.SetDrawWidth(7);
    engine.Ctrl = &pixels;
    engine.SetPenWidth();
    EXPECT_EQ(pixels.DrawWidth(), 1);
    // A screen in twips: one pixel, whatever its twips.
    FinePrinter screen(12000, 8000, ScaleMode::Twips, false);
    screen.SetDrawWidth(7);
    engine.Ctrl = &screen;
    engine.SetPenWidth();
    EXPECT_EQ(screen.DrawWidth(), 1);
}

}  // namespace
}  // namespace cartulo
