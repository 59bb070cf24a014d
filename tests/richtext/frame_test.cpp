// Frames on the fake surface (600 x 400 pt, MI 10, MP 6, MD 30; 6 pt
// characters, 12 pt lines): a second engine paints the body in a box.
#include <memory>
#include <string>

#include "richtext/zuzod_ivodure_frame.h"
#include "test_support.h"

namespace cartulo {
namespace {

using Frames = testing::EngineTest;
using testing::Join;

TEST_F(Frames, Placed) {
    UsePictures().Add("/cards/p.bmp", 8, 4);
    engine.Evaluate = [](std::string& value) { value = "[" + value + "]"; };
    const std::pair<std::string, std::string> cases[] = {
        // No width: between the right margin and the right margin.
        {"{FR:0,0,0,0}marco{/FR}", "print 576,0 \"marco\" Times New Roman 12 #000000\n"},
        // 10 pt to 200 pt right of MI, outlined as tall as the body, which
        // starts from the defaults; after it, the style before it.
        {"{N}{Q:azul}a{FR:10,200,0,0,rojo,1}uno dos{/FR}b",
         "print 6,0 \"a\" Times New Roman 12 N #0000FF\nrect 20,0 210,12 #FF0000 w1\n"
         "print 26,0 \"uno \" Times New Roman 12 #000000\n"
         "print 50,0 \"dos\" Times New Roman 12 #000000\n"
         "print 12,0 \"b\" Times New Roman 12 N #0000FF\n"},
        // Back from the right margin; 5 pt down, 12 pt tall: one line.
        {"{FR:-100,0,5,12}c\r\nd{/FR}", "print 476,5 \"c\" Times New Roman 12 #000000\n"},
        // Nested; the same picture cache and host. No outline without a
        // border or a real colour.
        {"{FR:1,0,0,0,rojo}{G:p.bmp}{FR:20,0,0,0,3d,1}{@e}{/FR}{/FR}",
         "picture p.bmp 17,0 6x3\nprint 47,0 \"[e]\" Times New Roman 12 #000000\n"},
        // Its errors and zones are its own.
        {"{FR:1}{XY:1}{L:t,l}{/FR}", "print 17,0 \"l\" Times New Roman 12 U #0000FF\n"},
    };
    for (const auto& [text, ink] : cases) {
        surface.ClearLog();
        engine.DrawText(text, 0, 0, 0, -1);
        EXPECT_EQ(Join(surface.Ink()), ink) << text;
        EXPECT_EQ(engine.ErrorCount() + engine.HotZones().Count(), 0u);
    }
    EXPECT_EQ(loaderView->Loads("/cards/p.bmp"), 1);
    engine.DrawText("{FR:1,0,0,0,malo,1}{/FR}", 0, 0, 0, -1);
    EXPECT_EQ(Errors(), std::vector<std::string>{"Color no v\xE1lido: malo"});
    // Nested past the cap: the deeper frames are not painted.
    std::string nested;
    for (int i = 0; i < kMaxFrameNesting + 3; ++i) nested = "{FR:1}a" + nested + "{/FR}";
    surface.ClearLog();
    engine.DrawText(nested, 0, 0, 0, -1);
    EXPECT_EQ(surface.Ink().size(), static_cast<std::size_t>(kMaxFrameNesting));
    // So are those past the budget of body text, counted afresh by each call.
    const std::string body(kMaxFrameText / 2, 'x');
    for (int call = 0; call < 2; ++call) {
        surface.ClearLog();
        engine.DrawText("{FR:1}a{FR:1}" + body + "{/FR}{/FR}", 0, 0, 0, -1);
        EXPECT_EQ(surface.Ink().size(), 1u);
    }
}

// Painted on the surface of each call, not on the first (gone by then).
TEST_F(Frames, PaintOnTheSurfaceOfEachCall) {
    auto first = std::make_unique<FakeSurface>(300, 200, ScaleMode::Points);
    for (FakeSurface* s : {first.get(), &surface}) {
        engine.Ctrl = s;
        engine.DrawText("{FR:1}x{/FR}", 0, 0, 0, -1);
        EXPECT_EQ(Join(s->Ink()), "print 17,0 \"x\" Times New Roman 12 #000000\n");
        first.reset();
    }
}

// The inner engine's object events reach the outer host.
TEST_F(Frames, ForwardObjectEvents) {
    std::string seen;
    engine.ObjectSize = [&](const std::string& type, const std::string&, const std::string&,
                            Surface&, float& width, float&) { seen += type, width = 5; };
    engine.ObjectPaint = [&](const std::string& type, auto&, auto&, Surface&, float x, float, float,
                             float) { seen += type + std::to_string(x); };
    cZuzodIvodureFrame frame;
    frame.Create(engine);
    float width = 1, height = 2;
    frame.MC()->ObjectSize("t", "", "", surface, width, height);
    frame.MC_ObjectPaint("u", "", "", surface, 1, 2, 3, 4);
    EXPECT_EQ(seen + std::to_string(width), "tu1.0000005.000000");
}

}  // namespace
}  // namespace cartulo
