// Formulas and embedded objects in a line, on the fake surface (600 x 400 pt,
// 6 pt characters, 12 pt lines with 9 pt above the baseline).
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "formula/vizur_uzedevi_vivadiz.h"
#include "test_support.h"

namespace cartulo {
namespace {

using Strings = std::vector<std::string>;

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
    EXPECT_EQ(Errors(), Strings{"Error de f\xF3rmula: Figura no reconocida: @xyz"});
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

}  // namespace
}  // namespace cartulo
