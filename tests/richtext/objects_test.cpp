// Formulas, objects, tables and frames inside card text.

#include <cmath>
#include <stdexcept>

#include "formula/vizur_uzedevi_vivadiz.h"
#include "richtext/zuzod_ivodure_frame.h"
#include "test_support.h"

namespace cartulo {
namespace {

using Strings = std::vector<std::string>;
using Frames = testing::EngineTest;

// Formulas and embedded objects in a line.
class Inline : public testing::EngineTest {
  protected:
    std::string Print(const std::string& text, std::size_t index = 0) {  // from the end
        surface.ClearLog();
        engine.DrawText(text, 0, 0, 0, -1);
        return Prints().rbegin()[static_cast<std::ptrdiff_t>(index)];
    }
};

TEST_F(Inline, AFormulaTakesTheRoomItMeasuresAndKeepsTheTextsStyle) {
    FakeSurface alone{600, 400, ScaleMode::Points};
    cVizurUzedeviVivadiz f;
    f.Surface = &alone;
    f.Init("@frc[1,22]");
    f.Size();
    ASSERT_TRUE(f.Ascent() > 9 && f.Descent() > 3);
    EXPECT_EQ(engine.SizeText("a{FO:@frc[1,22]}b", 0, 0, 0, -1), f.Ascent() + f.Descent());
    char b[80];
    std::snprintf(b, sizeof b, "print %g,%g \"b\"", 12 + f.Width(), f.Ascent() - 9);
    EXPECT_TRUE(Print("a{FO:@frc[1,22]}b").starts_with(b)) << b;
    // The formula leaves italic off after its letter, or its own font after an error.
    EXPECT_EQ(Print("{C}{F:Arial}a{FO:x}b"), "print 18,0 \"b\" Arial 12 C #000000");
    EXPECT_EQ(Print("{C}a{FO:@frc[x,y}b"), "print 12,0 \"b\" Times New Roman 12 C #000000");
    EXPECT_EQ(Errors(), Strings{"Error de f\xF3rmula: Error de sintaxis: corchete no cerrado."});
    EXPECT_EQ(engine.SizeText("{FO:@xyz[1]}", 0, 0, 0, -1), 0);
}

TEST_F(Inline, AnEleventhFormulaInALineIsSkipped) {
    std::string text;
    for (int i = 0; i < 11; ++i) text += "{FO:" + std::to_string(i % 10) + "}";
    EXPECT_EQ(Print(text + "x", 1), "print 60,0 \"9\" Times New Roman 12 #000000");
    EXPECT_EQ(Print(text + "\r\n" + text + "x"), "print 66,18 \"x\" Times New Roman 12 #000000");
}

TEST_F(Inline, ObjectsAreSizedByTheirTagOrByTheHost) {
    struct Case {
        const char* text;
        float width, height;  // the host's answer; -1: no handler; -9: it throws
        const char* events;
        const char* ink;  // the next text
        float size;       // SizeText
    };
    const Case cases[] = {
        {"{O:20,8,t,p,q}b{/O}x", -1, 0, "paint t|p,q|b 6,3 20x8;", "print 26,0", 12},
        {"{O:20,8,t}{/O}x", 0, 40, "size t 20x8;paint t|| 6,0 0x40;", "print 6,21", 40},
        {"{O:20,8,t}{/O}x", NAN, -5, "size t 20x8;paint t|| 6,9 0x0;", "print 6,0", 12},
        {"{O:20,8,t}{/O}x", INFINITY, 1e30f, "size t 20x8;paint t|| 6,0 0x1e+06;", "print 6,749991",
         1e6},
        {"{O:-20,1e9,t}{/O}x", -9, 0, "size t 0x1e+06;paint t|| 6,0 0x1e+06;", "print 6,749991",
         1e6},
        {"{O:72,36, DrawScript }0 0 move 72 36 line stroke{/O}x", 1, 1, "", "print 78,18", 36},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string events;
        char buf[160];
        if (c.width != -1) {
            engine.ObjectSize = [&](const std::string& type, const std::string&, const std::string&,
                                    Surface&, float& w, float& h) {
                std::snprintf(buf, sizeof buf, "size %s %gx%g;", type.c_str(), w, h);
                events += buf;
                if (c.width == -9) throw std::runtime_error("sin host");
                w = c.width;
                h = c.height;
            };
        }
        engine.ObjectPaint = [&](const std::string& type, const std::string& parameters,
                                 const std::string& body, Surface& s, float x, float y, float w,
                                 float h) {
            std::snprintf(buf, sizeof buf, "paint %s|%s|%s %g,%g %gx%g;", type.c_str(),
                          parameters.c_str(), body.c_str(), x, y, w, h);
            events += buf;
            s.SetFontSize(40), s.SetFillColor(5), s.SetDrawWidth(9);  // put back after
        };
        EXPECT_EQ(engine.SizeText(c.text, 0, 0, 0, -1), c.size);
        events.clear();
        EXPECT_TRUE(Print(c.text).starts_with(std::string(c.ink) + " \"x\" Times New Roman 12 #"));
        EXPECT_EQ(events, c.events);
        EXPECT_EQ(surface.FillColor() * 10 + surface.DrawWidth(), 1);
        EXPECT_EQ(Errors(), c.width == -9 ? Strings{"Error de objeto: sin host"} : Strings{});
        engine.ObjectSize = nullptr;
    }
}

// Tables on a 600 x 400 px surface (8 px characters, 16 px lines, MP and MU
// 8), at MP. A column is its widest cell + 10 px + two borders (3 px unless
// given), a row likewise; neighbours overlap by a border; cells centred.
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
    // clang-format off
    const std::tuple<std::string, float, Strings> cases[] = {
        // 2 x 2 without borders: columns 24 wide, rows 32 high.
        {"{TB:2,2}a{!}b{-}c{!}d{\\}", 61 + 3 + 8,
         {"print 17,8 \"a\" #000000", "print 38,8 \"b\" #000000", "print 17,37 \"c\" #000000",
          "print 38,37 \"d\" #000000"}},
        // Black one-pixel borders, bands drawn before the cells; c is dropped.
        {"{TB:2,1,negro,1}a{!}b{!}c{\\}", 28 + 1 + 8,
         {"rect 8,0 28,1 #000000 filled w1", "rect 8,27 28,28 #000000 filled w1",
          "rect 8,1 9,27 #000000 filled w1", "rect 27,1 28,27 #000000 filled w1",
          "rect 27,0 47,1 #000000 filled w1", "rect 27,27 47,28 #000000 filled w1",
          "rect 27,1 28,27 #000000 filled w1", "rect 46,1 47,27 #000000 filled w1",
          "print 15,6 \"a\" #000000", "print 34,6 \"b\" #000000"}},
        // Left 6 px, right 4 px from the border; the text after keeps its own.
        {"{TB:1,3}{J:0}a{-}{J:1}a{-}texto{\\}\r\nz", 90 + 3 + 8 + 16,
         {"print 17,8 \"a\" #000000", "print 49,37 \"a\" #000000", "print 17,66 \"texto\" #000000",
          "print 8,101 \"z\" #000000"}},
        // Counts are cut to 20: 20 columns of 16 px.
        {"{TB:25,25}{\\}", 263 + 3 + 8, {}},
        // Negative counts, or no rows count, draw nothing.
        {"{TB:-3,-3}x{\\}\r\n{TB:2}x{\\}\r\ny", 16, {"print 8,0 \"y\" #000000"}},
        // Without its end the table takes the rest of the text.
        {"a\r\n{TB:2,2}x{!}y and no end", 24, {"print 8,0 \"a\" #000000"}},
        // Pictures, buttons and links are shown, not clickable.
        {"{TB:3,1}{G:p.bmp}{!}{B:p.bmp,orden}{!}{L:t,enlace}{\\}", 32 + 3 + 8,
         {"picture p.bmp 17,11 20x10", "picture p.bmp 50,11 20x10",
          "print 83,8 \"enlace\" U #0000FF"}},
        {"{TB:4,1}\253Casa\273{!}a\r\nbb{!}{FO:x^2}{!}{O:10,10,t}b{/O}{\\}", 48 + 3 + 8,
         {"print 17,16 \"Casa\" U #0000FF", "print 62,8 \"a\" #000000",
          "print 62,24 \"bb\" #000000", "print 91,16 \"x\" C #000000", "print 99,16 \"^\" #000000",
          "print 107,16 \"2\" #000000"}},
        // Cell styles reach neither the next cell nor the text after the table.
        {"{TB:3,1}{N}{Q:rojo}x{!}y{!}{C}w{\\}\r\nz", 35 + 8 + 16,
         {"print 17,8 \"x\" N #FF0000", "print 38,8 \"y\" #000000", "print 59,8 \"w\" C #000000",
          "print 8,43 \"z\" #000000"}},
        // The line after a table lays its background from the table's bottom border on.
        {"{TB:1,1}x{\\}\r\n{W:rojo}y", 43 + 16,
         {"print 17,8 \"x\" #000000", "rect 0,35 600,400 #FF0000 filled w1",
          "print 8,43 \"y\" #000000"}},
        // Three-dimensional: face bands, each cell sunken, the table raised.
        {"{TB:1,1,3d,2}x{\\}", 30 + 2 + 8,
         {"rect 8,0 30,2 #C0C0C0 filled w1", "rect 8,28 30,30 #C0C0C0 filled w1",
          "rect 8,2 10,28 #C0C0C0 filled w1", "rect 28,2 30,28 #C0C0C0 filled w1",
          "line 9,1 28,1 #808080 w1", "line 9,1 9,28 #808080 w1", "line 9,28 28,28 #FFFFFF w1",
          "line 28,1 28,28 #FFFFFF w1", "line 8,0 29,0 #FFFFFF w1", "line 8,0 8,29 #FFFFFF w1",
          "line 8,29 29,29 #808080 w1", "line 29,0 29,29 #808080 w1", "print 16,7 \"x\" #000000"}},
        // Border widths past the cap are drawn 100 px wide, as bands.
        {"{TB:1,1,negro,2000000000}{\\}", 210 + 100 + 8,
         {"rect 8,0 218,100 #000000 filled w1", "rect 8,110 218,210 #000000 filled w1",
          "rect 8,100 108,110 #000000 filled w1", "rect 118,100 218,110 #000000 filled w1"}},
        {"{TB:1,1,negro,-5}{\\}", 10 + 8, {}},
    };
    // clang-format on
    for (const auto& [text, end, ink] : cases) {
        SCOPED_TRACE(text);
        px.ClearLog();
        EXPECT_EQ(engine.DrawText(text, 0, 0, 0, -1), end);
        EXPECT_EQ(Ink(), ink);
        EXPECT_EQ(engine.HotZones().Count(), 0u);
        px.ClearLog();
        EXPECT_EQ(engine.SizeText(text, 0, 0, 0, -1), end);
        EXPECT_TRUE(px.Ink().empty());
        EXPECT_EQ(px.Font().bold, false);
    }
}

// Formula cells share their line's ten formula slots; lines around the table have theirs.
TEST_F(Tables, FormulaCellsShareTheLinesSlots) {
    engine.DrawText(testing::Repeat("{FO:z}", 10) + "\r\n{TB:12,1}" +
                        testing::Repeat("{FO:x}{!}", 12) + "{\\}\r\n{FO:y}",
                    0, 0, 0, -1);
    std::string printed;  // the first letter of each print
    for (const std::string& line : Ink())
        if (line.starts_with("print ")) printed += line[line.find('"') + 1];
    EXPECT_EQ(printed, std::string(10, 'z') + std::string(10, 'x') + "y");
    EXPECT_TRUE(Errors().empty());
}

TEST_F(Tables, ATableThatDoesNotFitEndsThePageBeforeIt) {
    // "a" takes 24 px, the table 90, "b" 16 after its 11.
    const std::string text = "a\r\n{TB:1,3}x{-}y{-}z{\\}\r\nb";
    const std::int32_t table = 4;
    const std::tuple<float, float, std::int32_t> cases[] = {
        {-1, 141, 27}, {141, 141, 27}, {100, 24, table}};
    for (const auto& [bottom, end, pointer] : cases) {
        SCOPED_TRACE(bottom);
        EXPECT_EQ(engine.DrawText(text, 0, 0, 0, bottom), end);
        EXPECT_EQ(engine.GetTextPointer(), pointer);
        EXPECT_EQ(engine.SizeText(text, 0, 0, 0, bottom), end);
    }
    EXPECT_EQ(engine.GetTextPointer(), table);
}

TEST_F(Frames, Placed) {
    UsePictures().Add("/cards/p.bmp", 8, 4);
    engine.Evaluate = [](std::string& value) { value = "[" + value + "]"; };
    const std::string plain = "\" Times New Roman 12 #000000\n";
    // Past the nesting cap, or the body text budget of one call: not painted.
    std::string nested, deepest;
    for (int i = 0; i < kMaxFrameNesting + 3; ++i) {
        nested = "{FR:1}a" + nested + "{/FR}";
        if (i < kMaxFrameNesting)
            deepest += "print " + std::to_string(17 + 11 * i) + ",0 \"a" + plain;
    }
    const std::string budget = "{FR:1}a{FR:1}" + std::string(kMaxFrameText / 2, 'x') + "{/FR}{/FR}";
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        // No width: between the right margin and the right margin.
        {"{FR:0,0,0,0}marco{/FR}", "print 576,0 \"marco" + plain},
        // 10 to 200 pt right of MI, outlined as tall as the body (from the
        // defaults); after it, the style before it.
        {"{N}{Q:azul}a{FR:10,200,0,0,rojo,1}uno dos{/FR}b",
         "print 6,0 \"a\" Times New Roman 12 N #0000FF\nrect 20,0 210,12 #FF0000 w1\nprint 26,0 "
         "\"uno \" Times New Roman 12 #000000\nprint 50,0 \"dos\" Times New Roman 12 #000000\n"
         "print 12,0 \"b\" Times New Roman 12 N #0000FF\n"},
        // From the right margin, 5 pt down, one line; an inner frame shares
        // cache and host, keeps its errors and zones; no outline unasked.
        {"{FR:-100,0,5,12,rojo}{G:p.bmp}{FR:20,0,0,0,3d,1}{@e}{XY:1}{L:t,l}{/FR}\r\nd{/FR}",
         "picture p.bmp 476,5 6x3\nprint 506,5 \"[e]" + plain +
             "print 524,5 \"l\" Times New Roman 12 U #0000FF\n"},
        {nested, deepest}, {budget, "print 17,0 \"a" + plain},
        {budget, "print 17,0 \"a" + plain},  // counted afresh by each call
    };
    // clang-format on
    for (const auto& [text, ink] : cases) {
        surface.ClearLog();
        engine.DrawText(text, 0, 0, 0, -1);
        EXPECT_EQ(testing::Join(surface.Ink()), ink) << text.substr(0, 80);
        EXPECT_EQ(engine.ErrorCount() + engine.HotZones().Count(), 0u);
    }
    EXPECT_EQ(loaderView->Loads("/cards/p.bmp"), 1);
    engine.DrawText("{FR:1,0,0,0,malo,1}{/FR}", 0, 0, 0, -1);
    EXPECT_EQ(Errors(), std::vector<std::string>{"Color no v\xE1lido: malo"});
}

// Painted on the surface of each call, not on the first (gone by then);
// the inner engine's object events reach the outer host.
TEST_F(Frames, SurfaceAndHostOfEachCall) {
    auto first = std::make_unique<FakeSurface>(300, 200, ScaleMode::Points);
    for (FakeSurface* s : {first.get(), &surface}) {
        engine.Ctrl = s;
        engine.DrawText("{FR:1}x{/FR}", 0, 0, 0, -1);
        EXPECT_EQ(testing::Join(s->Ink()), "print 17,0 \"x\" Times New Roman 12 #000000\n");
        first.reset();
    }
    float width = 1, height = 2;
    engine.ObjectSize = [](auto&, auto&, auto&, Surface&, float&, float& h) { h = 5; };
    engine.ObjectPaint = [&](auto&, auto&, auto&, Surface&, float x, auto...) { width = x; };
    cZuzodIvodureFrame frame;
    frame.Create(engine);
    frame.MC()->ObjectSize("t", "", "", surface, width, height);
    frame.MC_ObjectPaint("u", "", "", surface, 7, 2, 3, 4);
    EXPECT_EQ(width + height, 12);
}

}  // namespace
}  // namespace cartulo
