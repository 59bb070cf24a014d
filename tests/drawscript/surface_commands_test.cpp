// What every command does on the surface, recorded by the fake surface
// (15 twips per pixel, so 3 points are 4 pixels).
#include <gtest/gtest.h>

#include "script_run.h"

namespace cartulo::drawscript::testing {
namespace {

ScriptRun RunInPixels(std::string_view text, float x = 0, float y = 0) {
    FakeSurface surface(400, 400, ScaleMode::Pixels);
    return RunOn(surface, text, x, y);
}

TEST(ScriptSurface, PathsAndFills) {
    // A path of its start point only is a dot; stroke and fill keep the path;
    // a new move starts a new one. Before any move the path starts at the
    // surface's origin. Three points (count 2) are too few to fill; an open
    // path of four fills through all four; fills take whole pixels (20
    // points are 26.67 pixels, 10 are 13.33); rojo unquoted is no colour.
    // clang-format off
    const struct { const char* script; bool pixels; const char* ink; } cases[] = {
        {"10 20 move 30 0 linerel stroke", false,
         "point 10,20 #000000|line 10,20 40,20 #000000 w1"},
        {"10 20 move 30 5 line stroke", false, "point 10,20 #000000|line 10,20 30,5 #000000 w1"},
        {"10 10 move 20 5 box stroke", false, "point 10,10 #000000|line 10,10 30,10 #000000 w1|"
         "line 30,10 30,15 #000000 w1|line 30,15 10,15 #000000 w1|line 10,15 10,10 #000000 w1"},
        {"0 0 move 10 0 line 10 10 line close stroke", false, "point 0,0 #000000|"
         "line 0,0 10,0 #000000 w1|line 10,0 10,10 #000000 w1|line 10,10 0,0 #000000 w1"},
        {"10 10 move 5 5 moverel 1 0 linerel stroke", false,
         "point 15,15 #000000|line 15,15 16,15 #000000 w1"},
        {"5 5 move stroke", false, "point 5,5 #000000"},
        {"0 0 move 3 0 line stroke stroke", false,
         "point 0,0 #000000|line 0,0 3,0 #000000 w1|point 0,0 #000000|line 0,0 3,0 #000000 w1"},
        {"0 0 move 3 0 line 9 9 move 9 12 line stroke", false,
         "point 9,9 #000000|line 9,9 9,12 #000000 w1"},
        {"'rojo' linecolor 3 linewidth 0 0 move 4 0 line stroke", false,
         "point 0,0 #FF0000|line 0,0 4,0 #FF0000 w3"},
        // Radii that are not positive add nothing.
        {"0 0 move 5 -1 circle stroke", false, "point 0,0 #000000"},
        {"0 0 move 10 10 line stroke 'a' print", false,  // print goes where the stroke ended
         "point 0,0 #000000|line 0,0 10,10 #000000 w1|"
         "print 10,10 \"a\" Times New Roman 12 #000000 opaque"},
        {"0 0 move 72 0 line stroke", true, "point 0,0 #000000|line 0,0 96,0 #000000 w1"},
        {"'rojo' fillcolor 0 0 move 30 0 line 30 30 line fill", true, ""},
        {"'rojo' fillcolor 0 0 move 30 0 line 30 30 line close fill", true,
         "polygon 0,0 40,0 40,40 0,0 fill=#FF0000 line=#FF0000"},
        {"'rojo' fillcolor 0 0 move 30 0 line 30 30 line 0 30 line fill", true,
         "polygon 0,0 40,0 40,40 0,40 fill=#FF0000 line=#FF0000"},
        {"0 0 move 20 10 box close 'rojo' fillcolor fill", true,
         "polygon 0,0 27,0 27,13 0,13 0,0 0,0 fill=#FF0000 line=#FF0000"},
        {"0 0 move 20 10 box close rojo fillcolor fill", true,
         "polygon 0,0 27,0 27,13 0,13 0,0 0,0 fill=#000000 line=#000000"},
        {"'azul' linecolor 'amarillo' fillcolor 0 0 move 3 0 line 3 3 line close fill stroke", true,
         "polygon 0,0 4,0 4,4 0,0 fill=#FFFF00 line=#FFFF00|point 0,0 #0000FF|"
         "line 0,0 4,0 #0000FF w1|line 4,0 4,4 #0000FF w1|line 4,4 0,0 #0000FF w1"}};
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(Joined((c.pixels ? RunInPixels(c.script) : RunInPoints(c.script)).ink), c.ink)
            << c.script;
    }
}

TEST(ScriptSurface, OriginsAndUnits) {
    // Coordinates are relative to the origin, and so is getpos (negative
    // before any move); pixels and twips go back to points.
    // clang-format off
    const struct { const char* script; int mode; float x, y; const char* stack, *ink; } cases[] = {
        {"10 20 move 30 0 linerel stroke", 0, 100, 50, "",
        "point 110,70 #000000|line 110,70 140,70 #000000 w1"},
        {"10 20 move getpos", 0, 100, 50, "10|20", ""}, {"getpos", 0, 50, 60, "-50|-60", ""},
        {"30 40 line stroke", 0, 50, 60, "", "point 0,0 #000000|line 0,0 80,100 #000000 w1"},
        {"5 5 linerel getpos", 0, 50, 60, "-45|-55", ""},
        {"3 6 move getpos", 1, 10, 20, "3|6", ""},
        // Twelve characters of 6 points: 1440 twips.
        {"'abcdefghijkl' textwidth 'x' textheight 1 2 move getpos", 2, 0, 0, "72|12|1|2", ""},
        {"1 2 move 3 4 line stroke", 2, 0, 0, "",
        "point 20,40 #000000|line 20,40 60,80 #000000 w1"},
        // An unsupported scale mode collapses every shape: strokes to the origin, fills to pixel 0.
        {"10 10 move 20 20 line stroke 30 40 box close fill 'abc' textwidth getpos", 3, 5, 7,
         "0|0|0",
         "point 5,7 #000000|line 5,7 5,7 #000000 w1|"
         "polygon 0,0 0,0 0,0 0,0 0,0 0,0 0,0 fill=#000000 line=#000000"}};
    // clang-format on
    const ScaleMode modes[] = {ScaleMode::Points, ScaleMode::Pixels, ScaleMode::Twips,
                               ScaleMode::User};
    for (const auto& c : cases) {
        FakeSurface surface(10000, 10000, modes[c.mode]);
        const auto run = RunOn(surface, c.script, c.x, c.y);
        EXPECT_EQ(Joined(run.stack), c.stack) << c.script;
        EXPECT_EQ(Joined(run.ink), c.ink) << c.script;
    }
    FakeSurface surface(100, 100, ScaleMode::Pixels);
    surface.SetFillStyle(FillStyle::Transparent);
    RunOn(surface, "'verde' linecolor 'rojo' fillcolor 0 0 move 3 0 line 3 3 line close fill");
    EXPECT_EQ(surface.ForeColor(), Rgb(0, 255, 0));  // fill puts the line colour back
    EXPECT_EQ(surface.FillColor(), Rgb(255, 0, 0));
    EXPECT_EQ(surface.GetFillStyle(), FillStyle::Solid);
}

TEST(ScriptSurface, Circle) {
    const auto run = RunInPoints("50 10 move 10 20 circle getpos stroke");
    EXPECT_EQ(run.stack, (V{"50", "10"}));                          // back at the top
    ASSERT_EQ(run.ink.size(), 101u);                                // the start point and 100 lines
    EXPECT_EQ(run.ink[25], "line 59.98,28.744 60,30 #000000 w1");   // a quarter turn: right
    EXPECT_EQ(run.ink[50], "line 50.628,49.961 50,50 #000000 w1");  // half a turn: bottom
    EXPECT_EQ(StackAfter("0 0 move 0 5 circle getpos"), (V{"0", "0"}));
}

// Which texts are colours is the reader's; here, what the commands do with them.
TEST(ScriptSurface, Colours) {
    // clang-format off
    const std::pair<const char*, V> cases[] = {
        {"getlinecolor getfillcolor", {"#000000", "#000000"}},
        {"azul_o linecolor getlinecolor", {"#000080"}},
        {"#ff8000 linecolor getlinecolor", {"#FF8000"}},
        {"'rojo' linecolor '#ff80' linecolor getlinecolor", {"#FF0000"}},
        {"'rojo' linecolor 16 linecolor getlinecolor", {"#FF0000"}},
        {"'rojo' linecolor 17 fillcolor getfillcolor", {"#FF0000"}},
        {"'rojo' linecolor 'actual' fillcolor getfillcolor", {"#FF0000"}},
        {"'Naranja' fillcolor getfillcolor", {"#FF8000"}}, {"linecolor getlinecolor", {"#000000"}}};
    // clang-format on
    for (const auto& [script, stack] : cases) EXPECT_EQ(StackAfter(script), stack) << script;
}

TEST(ScriptSurface, LineWidth) {
    FakeSurface screen(100, 100, ScaleMode::Twips);
    const char* widths =
        "getlinewidth 3 linewidth getlinewidth 0 linewidth -2 linewidth getlinewidth";
    EXPECT_EQ(RunOn(screen, widths).stack, (V{"1", "3", "3"}));  // the prologue's 1 first
    EXPECT_EQ(screen.DrawWidth(), 3);  // points taken as pixels on a screen
    cDrawScript bare;
    bare.Surface = &screen;
    bare.Prologue = "";
    V seen;  // nothing carries over
    for (const char* script : {"getlinewidth", "5 linewidth", "getlinewidth"}) {
        bare.Script = script;
        bare.Draw(0, 0, 10, 10);
        for (const std::string& entry : StackOf(bare)) seen.push_back(entry);
    }
    EXPECT_EQ(seen, (V{"0", "0"}));
    // On a printer 40 twips are 10 device units, 4 pixels are 1.
    FakeSurface printer(100, 100, ScaleMode::Twips, true),
        inPixels(100, 100, ScaleMode::Pixels, true);
    RunOn(printer, "2 linewidth"), RunOn(inPixels, "3 linewidth");
    EXPECT_EQ((std::vector{printer.DrawWidth(), inPixels.DrawWidth()}), (std::vector{10, 1}));
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
    // Refused font names and sizes are ignored.
    RunOn(surface, "'Tahoma' setfontname '' setfontname '" + std::string(40, 'x') +
                       "' setfontname 14 setfontsize 0 setfontsize -3 setfontsize 1e9 setfontsize "
                       "'x' setfontsize 1e999 setfontsize");
    EXPECT_EQ(surface.Font().name, "Tahoma");
    EXPECT_EQ(surface.Font().size, 14);
}

}  // namespace
}  // namespace cartulo::drawscript::testing
