// Painting as the fake surface records it: 600 x 400 pt in points, Times
// New Roman 12 (6 pt characters, 12 pt lines, 9 pt above the baseline).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace cartulo {
namespace {

using richtext::HotZone;
using namespace testing;

class Painting : public EngineTest {};

TEST_F(Painting, Golden) {
    const std::string N = "Times New Roman 12 N #000000", L = "Times New Roman 12 U #0000FF";
    const std::pair<std::string, std::string> cases[] = {
        {"Hola mundo", P("6,0", "Hola ") + P("36,0", "mundo")},
        // Style tags act from where they stand; the tallest font sets the
        // baseline (18) and each run hangs from it by its own ascent.
        {"a{N}b{C}c{U}d {Q:rojo}e{F:Arial}f{T:24}g",
         P("6,9", "a") + P("12,9", "b", N) + P("18,9", "c", "Times New Roman 12 N C #000000") +
             P("24,9", "d ", "Times New Roman 12 N C U #000000") +
             P("36,9", "e", "Times New Roman 12 N C U #FF0000") +
             P("42,9", "f", "Arial 12 N C U #FF0000") + P("48,0", "g", "Arial 24 N C U #FF0000")},
        {"{N}a{N}b{N:0}c{N:1}d{N:0}",
         P("6,0", "a", N) + P("12,0", "b") + P("18,0", "c") + P("24,0", "d", N)},
        {"{Q:900}a{Q:12}b{Q:#FF8000}c{Q:GRIS}d{Q:1234}e{Q:3d}f{Q}g",
         P("6,0", "a", "Times New Roman 12 #FF0000") +
             P("12,0", "b", "Times New Roman 12 #FF0000") +
             P("18,0", "c", "Times New Roman 12 #FF8000") +
             P("24,0", "d", "Times New Roman 12 #C0C0C0") +
             P("30,0", "e", "Times New Roman 12 #C0C0C0") +
             P("36,0", "f", "Times New Roman 12 #C0C0C0") + P("42,0", "g")},
        // Tag names ignore letter case; values are trimmed.
        {"{t:20}a{T: 20 }b", P("6,0", "a", "Times New Roman 20 #000000") +
                                 P("16,0", "b", "Times New Roman 20 #000000")},
        {"{F:Arial}a{F}b{T:6}c{T}d{T:0}e", P("6,0", "a", "Arial 12 #000000") + P("12,0", "b") +
                                               P("18,4.5", "c", "Times New Roman 6 #000000") +
                                               P("21,0", "d") + P("27,0", "e")},
        // Subscript: half size, a half-size line lower; superscript: half
        // size, tops aligned.
        {"x{ID:2}y{IU:3}", P("6,0", "x") + P("12,6", "2", "Times New Roman 6 #000000") +
                               P("15,0", "y") + P("21,0", "3", "Times New Roman 6 #000000")},
        {"{SY:abg}d", P("6,0", "abg", "Symbol 12 charset=2 #000000") + P("24,0", "d")},
        // Spaces and tabs.
        {"a{HD:10}b{SP:5}c", P("6,0", "a") + P("22,0", "b") + P("33,0", "c")},
        {"ab {TA:100}cd ef", P("6,0", "ab ") + P("106,0", "cd ") + P("124,0", "ef")},
        // {VD:} moves the painting down for the rest of the text.
        {"a {VD:10}b\r\nc", P("6,0", "a ") + P("18,10", "b") + P("6,28", "c")},
        // Blanks after the last word are not printed, even on their own.
        {"a{N}   ", P("6,0", "a")},
        {"a   ", P("6,0", "a")},
        // Unclosed braces show as written, up to a blank, the end of the
        // paragraph or a quote.
        {"a{b c", P("6,0", "a") + P("12,0", "{b ") + P("30,0", "c")},
        {"a{b\r\nc", P("6,0", "a") + P("12,0", "{b") + P("6,18", "c")},
        {"a{b\253c\273", P("6,0", "a") + P("12,0", "{b") + P("24,0", "c", L)},
        // The frame's body, from the right margin (frame_test.cpp).
        {"b {FR:0,0,0,0}marco{/FR}c", P("6,0", "b ") + P("576,0", "marco") + P("18,0", "c")},
        // An object 72 x 36 pt stands 27 pt above the baseline, its script
        // drawn in its box; a formula paints at the pen and moves it on.
        {"a{O:72,36,drawscript}0 0 move 72 36 line stroke{/O}b c{FO:x@exp[2]}d",
         P("6,18", "a") + "point 12,0 #000000\nline 12,0 84,36 #000000 w1\n" + P("84,18", "b ") +
             P("96,18", "c") + P("102,18", "x", "Times New Roman 12 C #000000") +
             P("108,16.8", "2", "Times New Roman 7.2 #000000") + P("111.6,18", "d")},
        // Links and popups; a set link colour, and tags before a link.
        {"{L:Casa,la casa} y {P:ver,la nota}",
         P("6,0", "la casa", L) + P("48,0", " ") + P("54,0", "y ") + P("66,0", "ver", L)},
        {"\253Casa grande\273 m\341s",
         P("6,0", "Casa ", L) + P("36,0", "grande", L) + P("72,0", " ") + P("78,0", "m\341s")},
        // Misused quotes paint plain text.
        {"a\273 b \253c", P("6,0", "a") + P("12,0", " ") + P("18,0", "b ") + P("30,0", "c")},
        {"a\r\n{W:rojo}b c", P("6,0", "a") + "rect 0,12 600,400 #FF0000 filled w1\n" +
                                 P("6,18", "b ") + P("18,18", "c")},
    };
    for (const auto& [text, ink] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Paint(text), ink);
    }
}

TEST_F(Painting, EveryCallStartsFromTheDefaults) {
    engine.DefaultColor = Rgb(0, 128, 0);
    engine.DefaultFont = "Arial";
    engine.DefaultSize = 10;
    Paint("{N}{C}{U}{T:30}{F:Tahoma}{Q:rojo}x");
    const std::string G = "Arial 10 #008000";
    EXPECT_EQ(Paint("b{Q:17}c{Q:18}d{Q:rojo}e{Q:defecto}f"),
              P("6,0", "b", G) + P("11,0", "c", G) + P("16,0", "d", G) +
                  P("21,0", "e", "Arial 10 #FF0000") + P("26,0", "f", G));
    // The text is printed without its background box.
    EXPECT_EQ(surface.Log().back().find("opaque"), std::string::npos);
}

TEST_F(Painting, Expressions) {
    EXPECT_EQ(Paint("{@:la}"), P("6,0", ":la"));  // unanswered, they show themselves
    engine.Evaluate = [](std::string& value) {
        if (value == "fecha") value = "hoy";
        if (value == ":la") value = "{";
    };
    EXPECT_EQ(
        Paint("{@fecha} {@otra} {@:la}"),
        P("6,0", "hoy") + P("24,0", " ") + P("30,0", "otra") + P("54,0", " ") + P("60,0", "{"));
    // The result's top is at the baseline less the token's ascent.
    EXPECT_EQ(Paint("{T:24}A{T:12}{@fecha}"),
              P("6,0", "A", "Times New Roman 24 #000000") + P("18,0", "hoy"));
    int calls = 0;
    engine.Evaluate = [&](std::string& value) {
        ++calls;
        value = "[" + value + "]";
    };
    EXPECT_EQ(Paint("{@ x }"), P("6,0", "[ x ]"));
    EXPECT_EQ(calls, 2);  // once measured, once painted
}

TEST_F(Painting, LinkZonesAndColours) {
    Paint("{L:Casa,la casa} y {P:ver,la nota}");
    EXPECT_EQ(Zones(), (Strings{"6,0 48,12 k0 Casa||", "66,0 84,12 k3 la nota||"}));
    Paint("\253Casa grande\273 m\341s");
    EXPECT_EQ(Zones(), (Strings{"6,0 72,12 k0 Casa grande||"}));
    // The target is the text between the quotes as written, tags and all.
    Paint("\253{N}Casa\273");
    EXPECT_EQ(Zones(), (Strings{"6,0 30,12 k0 {N}Casa||"}));
    Paint("a\273 b \253c");
    EXPECT_TRUE(Zones().empty());
    engine.HT_Color = Rgb(255, 0, 255);
    EXPECT_EQ(Paint("{U}{Q:rojo}{L:a,b}c"), P("6,0", "b", "Times New Roman 12 U #FF00FF") +
                                                P("12,0", "c", "Times New Roman 12 U #FF0000"));
    // A link that wraps makes a zone per line.
    Paint("\253" + Repeat("w ", 100) + "\273 fin");
    const auto& zones = engine.HotZones().All();
    ASSERT_EQ(zones.size(), 3u);
    for (const HotZone& z : zones) EXPECT_EQ(z.s1, Repeat("w ", 100));
    EXPECT_EQ(zones[0].x1, 6);
    EXPECT_EQ(zones[0].y1, 0);
    EXPECT_EQ(zones[1].x1, 10);  // from the left margin
    EXPECT_EQ(zones[1].y1, 12);
    EXPECT_EQ(zones[2].y2, 36);
}

TEST_F(Painting, JustificationGapsAndBackgrounds) {
    // 30 pt free over 17 gaps on the first line: one blank in each, printed
    // in the word's style so that an underline runs on.
    surface.ClearLog();
    engine.DrawText("{U}" + Repeat("abcd ", 19), 0, 0, 0, -1);
    const Strings ink = surface.Ink();
    EXPECT_EQ(ink[1], "print 36,0 \" \" Times New Roman 12 U #000000");
    EXPECT_EQ(ink[2], "print 37.765,0 \"abcd \" Times New Roman 12 U #000000");
    // A wider gap takes as many blanks as cover it: 78 pt free, 13 blanks.
    const std::string a(40, 'a'), b(40, 'b'), c(20, 'c');
    EXPECT_EQ(Paint("{J:3}" + a + " " + b + " " + c),
              P("6,0", a + " ") + P("252,0", std::string(13, ' ')) + P("330,0", b) + P("10,12", c));
    // On a line that does not start a paragraph the fill starts at its top.
    EXPECT_NE(
        Paint(std::string(100, 'x') + " {W:#00FF00}b").find("rect 0,12 600,400 #00FF00 filled"),
        std::string::npos);
}

// A 1440 dots per inch printer: one twip per pixel.
class FinePrinter : public FakeSurface {
  public:
    using FakeSurface::FakeSurface;
    double TwipsPerPixelX() const override { return 1; }
};

TEST_F(Painting, StandardPen) {
    engine.SetPenWidth();
    EXPECT_EQ(surface.DrawWidth(), 1);
    FakeSurface printer(12000, 8000, ScaleMode::Twips, true);
    engine.Ctrl = &printer;
    engine.SetPenWidth();
    EXPECT_EQ(printer.DrawWidth(), 1);  // 21 twips at 15 twips per pixel
    // In twips on a fine printer: the printer pixels in 21 twips. In points
    // and in pixels: 1.05 picture pixels, a picture pixel being a point on a
    // printer, so one unit whatever the resolution. A screen: one pixel.
    // clang-format off
    const std::tuple<double, double, ScaleMode, bool, int> cases[] = {
        {12000, 8000, ScaleMode::Twips, true, 21}, {600, 400, ScaleMode::Points, true, 1},
        {9000, 6000, ScaleMode::Pixels, true, 1}, {12000, 8000, ScaleMode::Twips, false, 1},
    };
    // clang-format on
    for (const auto& [w, h, mode, isPrinter, width] : cases) {
        FinePrinter fine(w, h, mode, isPrinter);
        fine.SetDrawWidth(7);
        engine.Ctrl = &fine;
        engine.SetPenWidth();
        EXPECT_EQ(fine.DrawWidth(), width) << static_cast<int>(mode);
    }
}

}  // namespace
}  // namespace cartulo
