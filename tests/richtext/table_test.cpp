// Tables on a 600 x 400 px surface: 8 px characters, 16 px lines, MP 8 and
// MU 8; DefaultAlign 0 puts every table at MP. A column is its widest cell
// + 10 px + two borders (3 px unless given), a row likewise, and
// neighbours overlap by a border. Cells are centred: box x + (width -
// content) / 2 + 1.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "test_support.h"

namespace cartulo {
namespace {

using Strings = std::vector<std::string>;

class Tables : public testing::EngineTest {
  protected:
    Tables() {
        engine.Ctrl = &px;
        engine.DefaultAlign = 0;
        UsePictures().Add("/cards/p.bmp", 20, 10);
    }
    // The ink, without the default font's name and size.
    Strings Ink() const {
        Strings ink = px.Ink();
        for (std::string& line : ink) {
            const std::size_t font = line.find(" Times New Roman 12");
            if (font != std::string::npos) line.erase(font, 19);
        }
        return ink;
    }
    FakeSurface px{600, 400, ScaleMode::Pixels};
};

TEST_F(Tables, CellsBordersAndPlaces) {
    struct Case {
        std::string text;
        float end;
        Strings ink;
    };
    const Case cases[] = {
        // 2 x 2 without borders: columns 24 wide, rows 32 high.
        {"{TB:2,2}a{!}b{-}c{!}d{\\}",
         61 + 3 + 8,
         {"print 17,8 \"a\" #000000", "print 38,8 \"b\" #000000", "print 17,37 \"c\" #000000",
          "print 38,37 \"d\" #000000"}},
        // Black one-pixel borders, bands drawn before the cells; c is dropped.
        {"{TB:2,1,negro,1}a{!}b{!}c{\\}",
         28 + 1 + 8,
         {"rect 8,0 28,1 #000000 filled w1", "rect 8,27 28,28 #000000 filled w1",
          "rect 8,1 9,27 #000000 filled w1", "rect 27,1 28,27 #000000 filled w1",
          "rect 27,0 47,1 #000000 filled w1", "rect 27,27 47,28 #000000 filled w1",
          "rect 27,1 28,27 #000000 filled w1", "rect 46,1 47,27 #000000 filled w1",
          "print 15,6 \"a\" #000000", "print 34,6 \"b\" #000000"}},
        // Left 6 px from the border, right 4 px from it, else centred; the
        // text after the table keeps its own alignment.
        {"{TB:1,3}{J:0}a{-}{J:1}a{-}texto{\\}\r\nz",
         90 + 3 + 8 + 16,
         {"print 17,8 \"a\" #000000", "print 49,37 \"a\" #000000", "print 17,66 \"texto\" #000000",
          "print 8,101 \"z\" #000000"}},
        // Counts are cut to 20: 20 columns of 16 px.
        {"{TB:25,25}{\\}", 263 + 3 + 8, {}},
        // Negative counts, or no rows count, draw nothing.
        {"{TB:-3,-3}x{\\}\r\n{TB:2}x{\\}\r\ny", 16, {"print 8,0 \"y\" #000000"}},
        // A table in mid-line gets lines of its own.
        {"ab{TB:1,1}x{\\}c",
         24 + 32 + 3 + 8 + 16,
         {"print 8,0 \"ab\" #000000", "print 17,32 \"x\" #000000", "print 8,67 \"c\" #000000"}},
        // Without its end the table takes the rest of the text.
        {"a\r\n{TB:2,2}x{!}y and no end", 24, {"print 8,0 \"a\" #000000"}},
        // Pictures, buttons and links are shown, not clickable.
        {"{TB:3,1}{G:p.bmp}{!}{B:p.bmp,orden}{!}{L:t,enlace}{\\}",
         32 + 3 + 8,
         {"picture p.bmp 17,11 20x10", "picture p.bmp 50,11 20x10",
          "print 83,8 \"enlace\" U #0000FF"}},
        {"{TB:4,1}\xAB"
         "Casa\xBB{!}a\r\nbb{!}{FO:x^2}{!}{O:10,10,t}b{/O}{\\}",
         48 + 3 + 8,
         {"print 17,16 \"Casa\" U #0000FF", "print 62,8 \"a\" #000000",
          "print 62,24 \"bb\" #000000", "print 91,16 \"x\" C #000000", "print 99,16 \"^\" #000000",
          "print 107,16 \"2\" #000000"}},
        // Cell styles reach neither the next cell nor the text after the table.
        {"{TB:3,1}{N}{Q:rojo}x{!}y{!}{C}w{\\}\r\nz",
         35 + 8 + 16,
         {"print 17,8 \"x\" N #FF0000", "print 38,8 \"y\" #000000", "print 59,8 \"w\" C #000000",
          "print 8,43 \"z\" #000000"}},
        // The line after a table lays its background from the table's bottom border on.
        {"{TB:1,1}x{\\}\r\n{W:rojo}y",
         43 + 16,
         {"print 17,8 \"x\" #000000", "rect 0,35 600,400 #FF0000 filled w1",
          "print 8,43 \"y\" #000000"}},
        // Three-dimensional: face bands, each cell sunken, the table raised.
        {"{TB:1,1,3d,2}x{\\}",
         30 + 2 + 8,
         {"rect 8,0 30,2 #C0C0C0 filled w1", "rect 8,28 30,30 #C0C0C0 filled w1",
          "rect 8,2 10,28 #C0C0C0 filled w1", "rect 28,2 30,28 #C0C0C0 filled w1",
          "line 9,1 28,1 #808080 w1", "line 9,1 9,28 #808080 w1", "line 9,28 28,28 #FFFFFF w1",
          "line 28,1 28,28 #FFFFFF w1", "line 8,0 29,0 #FFFFFF w1", "line 8,0 8,29 #FFFFFF w1",
          "line 8,29 29,29 #808080 w1", "line 29,0 29,29 #808080 w1", "print 16,7 \"x\" #000000"}},
        // Border widths past the cap are drawn 100 px wide, as bands.
        {"{TB:1,1,negro,2000000000}{\\}",
         210 + 100 + 8,
         {"rect 8,0 218,100 #000000 filled w1", "rect 8,110 218,210 #000000 filled w1",
          "rect 8,100 108,110 #000000 filled w1", "rect 118,100 218,110 #000000 filled w1"}},
        {"{TB:1,1,negro,-5}{\\}", 10 + 8, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        px.ClearLog();
        EXPECT_EQ(engine.DrawText(c.text, 0, 0, 0, -1), c.end);
        EXPECT_EQ(Ink(), c.ink);
        EXPECT_EQ(engine.HotZones().Count(), 0u);
        px.ClearLog();
        EXPECT_EQ(engine.SizeText(c.text, 0, 0, 0, -1), c.end);
        EXPECT_TRUE(px.Ink().empty());
        EXPECT_EQ(px.Font().bold, false);
    }
}

// Formula cells share the line's ten formula slots: the table's eleventh and
// twelfth take no room and no ink. A full line before the table and the line
// after it do not take the table's slots.
TEST_F(Tables, FormulaCellsShareTheLinesSlots) {
    std::string text;
    for (int i = 0; i < 10; ++i) text += "{FO:z}";
    text += "\r\n{TB:12,1}";
    for (int i = 0; i < 12; ++i) text += "{FO:x}{!}";
    text += "{\\}\r\n{FO:y}";
    engine.DrawText(text, 0, 0, 0, -1);
    const Strings ink = Ink();
    auto printed = [&](const char* what) {
        return std::count_if(ink.begin(), ink.end(), [&](const std::string& line) {
            return line.find(what) != std::string::npos;
        });
    };
    EXPECT_EQ(printed("\"z\""), 10);
    EXPECT_EQ(printed("\"x\""), 10);
    EXPECT_EQ(printed("\"y\""), 1);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(Tables, ATableThatDoesNotFitEndsThePageBeforeIt) {
    // "a" takes 24 px, the table 90, "b" 16 after its 11.
    const std::string text = "a\r\n{TB:1,3}x{-}y{-}z{\\}\r\nb";
    const std::int32_t table = 4;
    struct Case {
        float bottom;
        float end;
        std::int32_t pointer;
    };
    for (const Case& c : {Case{-1, 141, 27}, Case{141, 141, 27}, Case{100, 24, table}}) {
        SCOPED_TRACE(c.bottom);
        EXPECT_EQ(engine.DrawText(text, 0, 0, 0, c.bottom), c.end);
        EXPECT_EQ(engine.GetTextPointer(), c.pointer);
        EXPECT_EQ(engine.SizeText(text, 0, 0, 0, c.bottom), c.end);
    }
    EXPECT_EQ(engine.GetTextPointer(), table);
    // First on the next page, and taller than it: painted and cut.
    px.ClearLog();
    const std::string next = engine.CutAt(engine.GetText(), table);
    EXPECT_EQ(engine.DrawText("{N}" + next, 0, 0, 0, 50), 8 + 90 + 3 + 8);
    EXPECT_EQ(Ink().size(), 3u);
    EXPECT_EQ(engine.GetText().substr(engine.GetTextPointer() - 1), "b");
}

}  // namespace
}  // namespace cartulo
