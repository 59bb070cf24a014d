// What every command does on the surface, recorded by the fake surface
// (15 twips per pixel, so 3 points are 4 pixels).
#include <gtest/gtest.h>

#include "script_run.h"

namespace cartulo::drawscript::testing {
namespace {

using V = std::vector<std::string>;

ScriptRun RunInPixels(std::string_view text, float x = 0, float y = 0) {
    FakeSurface surface(400, 400, ScaleMode::Pixels);
    return RunOn(surface, text, x, y);
}

TEST(ScriptSurface, PathCommandsStroked) {
    const struct {
        const char* script;
        V ink;
    } cases[] = {
        {"10 20 move 30 0 linerel stroke", {"point 10,20 #000000", "line 10,20 40,20 #000000 w1"}},
        {"10 20 move 30 5 line stroke", {"point 10,20 #000000", "line 10,20 30,5 #000000 w1"}},
        {"10 10 move 20 5 box stroke",
         {"point 10,10 #000000", "line 10,10 30,10 #000000 w1", "line 30,10 30,15 #000000 w1",
          "line 30,15 10,15 #000000 w1", "line 10,15 10,10 #000000 w1"}},
        {"0 0 move 10 0 line 10 10 line close stroke",
         {"point 0,0 #000000", "line 0,0 10,0 #000000 w1", "line 10,0 10,10 #000000 w1",
          "line 10,10 0,0 #000000 w1"}},
        {"10 10 move 5 5 moverel 1 0 linerel stroke",
         {"point 15,15 #000000", "line 15,15 16,15 #000000 w1"}},
        // a path of its start point only is a dot
        {"5 5 move stroke", {"point 5,5 #000000"}},
        // stroke keeps the path
        {"0 0 move 3 0 line stroke stroke",
         {"point 0,0 #000000", "line 0,0 3,0 #000000 w1", "point 0,0 #000000",
          "line 0,0 3,0 #000000 w1"}},
        // a new move starts a new path
        {"0 0 move 3 0 line 9 9 move 9 12 line stroke",
         {"point 9,9 #000000", "line 9,9 9,12 #000000 w1"}},
        {"'rojo' linecolor 3 linewidth 0 0 move 4 0 line stroke",
         {"point 0,0 #FF0000", "line 0,0 4,0 #FF0000 w3"}},
    };
    for (const auto& c : cases) EXPECT_EQ(RunInPoints(c.script).ink, c.ink) << c.script;
}

TEST(ScriptSurface, CoordinatesAreRelativeToTheOrigin) {
    EXPECT_EQ(RunInPoints("10 20 move 30 0 linerel stroke", 100, 50).ink,
              (V{"point 110,70 #000000", "line 110,70 140,70 #000000 w1"}));
    EXPECT_EQ(RunInPoints("10 20 move getpos", 100, 50).stack, (V{"10", "20"}));
}

TEST(ScriptSurface, PathStartsAtTheSurfaceOriginBeforeAnyMove) {
    EXPECT_EQ(RunInPoints("30 40 line stroke", 50, 60).ink,
              (V{"point 0,0 #000000", "line 0,0 80,100 #000000 w1"}));
    // getpos is relative to the object's origin, so it is negative there.
    EXPECT_EQ(RunInPoints("getpos", 50, 60).stack, (V{"-50", "-60"}));
    EXPECT_EQ(RunInPoints("5 5 linerel getpos", 50, 60).stack, (V{"-45", "-55"}));
}

TEST(ScriptSurface, PixelsAtFifteenTwipsPerPixel) {
    EXPECT_EQ(RunInPixels("0 0 move 72 0 line stroke").ink,
              (V{"point 0,0 #000000", "line 0,0 96,0 #000000 w1"}));
    // getpos converts back to points.
    EXPECT_EQ(RunInPixels("3 6 move getpos", 10, 20).stack, (V{"3", "6"}));
}

TEST(ScriptSurface, Twips) {
    FakeSurface surface(10000, 10000, ScaleMode::Twips);
    // Twelve characters of 6 points: 1440 twips.
    const auto run = RunOn(surface, "'abcdefghijkl' textwidth 'x' textheight 1 2 move getpos");
    EXPECT_EQ(run.stack, (V{"72", "12", "1", "2"}));
    FakeSurface again(10000, 10000, ScaleMode::Twips);
    EXPECT_EQ(RunOn(again, "1 2 move 3 4 line stroke").ink,
              (V{"point 20,40 #000000", "line 20,40 60,80 #000000 w1"}));
}

TEST(ScriptSurface, UnsupportedScaleModeCollapsesEveryShape) {
    FakeSurface surface(100, 100, ScaleMode::User);
    const auto run = RunOn(surface,
                           "10 10 move 20 20 line stroke 30 40 box close fill "
                           "'abc' textwidth getpos",
                           5, 7);
    EXPECT_EQ(run.stack, (V{"0", "0", "0"}));
    // Strokes collapse to the origin; the fill's pixels are all 0.
    EXPECT_EQ(run.ink, (V{"point 5,7 #000000", "line 5,7 5,7 #000000 w1",
                          "polygon 0,0 0,0 0,0 0,0 0,0 0,0 0,0 fill=#000000 line=#000000"}));
}

TEST(ScriptSurface, Fill) {
    const struct {
        const char* script;
        V ink;
    } cases[] = {
        // three points (count 2) are not enough
        {"'rojo' fillcolor 0 0 move 30 0 line 30 30 line fill", {}},
        {"'rojo' fillcolor 0 0 move 30 0 line 30 30 line close fill",
         {"polygon 0,0 40,0 40,40 0,0 fill=#FF0000 line=#FF0000"}},
        // an open path of four points: the polygon through all four
        {"'rojo' fillcolor 0 0 move 30 0 line 30 30 line 0 30 line fill",
         {"polygon 0,0 40,0 40,40 0,40 fill=#FF0000 line=#FF0000"}},
        // whole pixels: 20 points are 26.67 pixels, 10 are 13.33
        {"0 0 move 20 10 box close 'rojo' fillcolor fill",
         {"polygon 0,0 27,0 27,13 0,13 0,0 0,0 fill=#FF0000 line=#FF0000"}},
        // rojo unquoted is no colour: the fill colour stays
        {"0 0 move 20 10 box close rojo fillcolor fill",
         {"polygon 0,0 27,0 27,13 0,13 0,0 0,0 fill=#000000 line=#000000"}},
        // fill keeps the path, so fill then stroke outlines the shape
        {"'azul' linecolor 'amarillo' fillcolor 0 0 move 3 0 line 3 3 line close fill stroke",
         {"polygon 0,0 4,0 4,4 0,0 fill=#FFFF00 line=#FFFF00", "point 0,0 #0000FF",
          "line 0,0 4,0 #0000FF w1", "line 4,0 4,4 #0000FF w1", "line 4,4 0,0 #0000FF w1"}},
    };
    for (const auto& c : cases) EXPECT_EQ(RunInPixels(c.script).ink, c.ink) << c.script;
}

TEST(ScriptSurface, FillRestoresTheLineColourAndUsesSolidStyle) {
    FakeSurface surface(100, 100, ScaleMode::Pixels);
    surface.SetFillStyle(FillStyle::Transparent);
    RunOn(surface, "'verde' linecolor 'rojo' fillcolor 0 0 move 3 0 line 3 3 line close fill");
    EXPECT_EQ(surface.ForeColor(), Rgb(0, 255, 0));
    EXPECT_EQ(surface.FillColor(), Rgb(255, 0, 0));
    EXPECT_EQ(surface.GetFillStyle(), FillStyle::Solid);
}

TEST(ScriptSurface, Circle) {
    const auto run = RunInPoints("50 10 move 10 20 circle getpos stroke");
    EXPECT_EQ(run.stack, (V{"50", "10"}));                          // back at the top
    ASSERT_EQ(run.ink.size(), 101u);                                // the start point and 100 lines
    EXPECT_EQ(run.ink[25], "line 59.98,28.744 60,30 #000000 w1");   // a quarter turn: right
    EXPECT_EQ(run.ink[50], "line 50.628,49.961 50,50 #000000 w1");  // half a turn: bottom
    EXPECT_EQ(run.ink[75], "line 40.02,31.256 40,30 #000000 w1");   // three quarters: left
    EXPECT_EQ(run.ink[100], "line 49.372,10.039 50,10 #000000 w1");
    // Radii that are not positive add nothing.
    for (const char* script : {"0 0 move 0 5 circle getpos", "0 0 move 5 -1 circle getpos"}) {
        EXPECT_EQ(RunInPoints(script).stack, (V{"0", "0"})) << script;
    }
    EXPECT_EQ(RunInPoints("0 0 move 5 -1 circle stroke").ink, V{"point 0,0 #000000"});
}

TEST(ScriptSurface, Colours) {
    const struct {
        const char* script;
        V stack;
    } cases[] = {
        {"getlinecolor getfillcolor", {"#000000", "#000000"}},
        {"'rojo' linecolor getlinecolor", {"#FF0000"}},
        {"'azul_o' linecolor getlinecolor", {"#000080"}},
        {"azul_o linecolor getlinecolor", {"#000080"}},
        {"#ff8000 linecolor getlinecolor", {"#FF8000"}},
        {"'#ff8000' fillcolor getfillcolor", {"#FF8000"}},
        {"'rojo' linecolor '#ff80' linecolor getlinecolor", {"#FF0000"}},
        {"'rojo' linecolor 16 linecolor getlinecolor", {"#FF0000"}},
        {"'rojo' linecolor 17 fillcolor getfillcolor", {"#FF0000"}},
        {"'rojo' linecolor 'actual' fillcolor getfillcolor", {"#FF0000"}},
        {"707 linecolor getlinecolor", {"#E000E0"}},
        {"'Naranja' fillcolor getfillcolor", {"#FF8000"}},
        {"'1.5' linecolor '-12' linecolor '1e2' linecolor getlinecolor", {"#000000"}},
        {"linecolor getlinecolor", {"#000000"}},
    };
    for (const auto& c : cases) EXPECT_EQ(StackAfter(c.script), c.stack) << c.script;
}

TEST(ScriptSurface, LineWidth) {
    FakeSurface screen(100, 100, ScaleMode::Twips);
    EXPECT_EQ(RunOn(screen,
                    "getlinewidth 3 linewidth getlinewidth 0 linewidth -2 linewidth "
                    "getlinewidth")
                  .stack,
              (V{"1", "3", "3"}));     // the prologue's 1 first
    EXPECT_EQ(screen.DrawWidth(), 3);  // points taken as pixels on a screen

    cDrawScript bare;
    bare.Surface = &screen;
    bare.Prologue = "";
    bare.Script = "getlinewidth";
    bare.Draw(0, 0, 10, 10);
    EXPECT_EQ(StackOf(bare), V{"0"});
    // Nothing carries over from one paint to the next.
    bare.Script = "5 linewidth";
    bare.Draw(0, 0, 10, 10);
    bare.Script = "getlinewidth";
    bare.Draw(0, 0, 10, 10);
    EXPECT_EQ(StackOf(bare), V{"0"});

    FakeSurface printer(100, 100, ScaleMode::Twips, true);
    RunOn(printer, "2 linewidth");
    EXPECT_EQ(printer.DrawWidth(), 10);  // 40 twips / 4
    FakeSurface printerInPixels(100, 100, ScaleMode::Pixels, true);
    RunOn(printerInPixels, "3 linewidth");
    EXPECT_EQ(printerInPixels.DrawWidth(), 1);  // 4 pixels / 4

    // Below half a pixel still one pixel; half to even above.
    FakeSurface thin(100, 100, ScaleMode::Pixels);
    EXPECT_EQ(RunOn(thin, "0.3 linewidth getlinewidth").stack, V{"0.3"});
    EXPECT_EQ(thin.DrawWidth(), 1);
    RunOn(thin, "2.5 linewidth");
    EXPECT_EQ(thin.DrawWidth(), 2);
}

TEST(ScriptSurface, Text) {
    FakeSurface surface(400, 400, ScaleMode::Points);
    const auto run = RunOn(surface,
                           "10 20 move 'Hola' print ' mundo' print 'abc' textwidth 'x' textheight "
                           "'Arial' setfontname 20 setfontsize 1 setfontbold 2 setfontitalic "
                           "-1 setfontunderline 0 30 move 'N' print 0 setfontbold 0 setfontitalic "
                           "0 setfontunderline 'n' print 'abc' textwidth",
                           5, 5);
    EXPECT_EQ(run.stack, (V{"18", "12", "30"}));
    EXPECT_EQ(run.ink, (V{"print 15,25 \"Hola\" Times New Roman 12 #000000 opaque",
                          "print 39,25 \" mundo\" Times New Roman 12 #000000 opaque",
                          "print 5,35 \"N\" Arial 20 N C U #000000 opaque",
                          "print 15,35 \"n\" Arial 20 #000000 opaque"}));
}

TEST(ScriptSurface, TextGoesWhereTheLastLineEnded) {
    // stroke moves the surface's pen to the path's end, and print writes there.
    EXPECT_EQ(RunInPoints("0 0 move 10 10 line stroke 'a' print").ink.back(),
              "print 10,10 \"a\" Times New Roman 12 #000000 opaque");
}

TEST(ScriptSurface, RefusedFontNamesAndSizesAreIgnored) {
    FakeSurface surface(400, 400, ScaleMode::Points);
    RunOn(surface, "'Tahoma' setfontname '' setfontname '" + std::string(40, 'x') +
                       "' setfontname 14 setfontsize 0 setfontsize -3 setfontsize 1e9 setfontsize "
                       "'x' setfontsize 1e999 setfontsize");
    EXPECT_EQ(surface.Font().name, "Tahoma");
    EXPECT_EQ(surface.Font().size, 14);
}

}  // namespace
}  // namespace cartulo::drawscript::testing
