// Frames on the fake surface (600 x 400 pt; MI 10, MP 6, MD 30; 6 x 12 pt characters).
#include <memory>
#include <string>
#include <utility>

#include "richtext/zuzod_ivodure_frame.h"
#include "test_support.h"

namespace cartulo {
namespace {

using Frames = testing::EngineTest;

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
    const std::pair<std::string, std::string> cases[] = {
        // No width: between the right margin and the right margin.
        {"{FR:0,0,0,0}marco{/FR}", "print 576,0 \"marco" + plain},
        // 10 to 200 pt right of MI, outlined as tall as the body, which starts
        // from the defaults; after it, the style before it.
        {"{N}{Q:azul}a{FR:10,200,0,0,rojo,1}uno dos{/FR}b",
         "print 6,0 \"a\" Times New Roman 12 N #0000FF\nrect 20,0 210,12 #FF0000 w1\nprint 26,0 "
         "\"uno \" Times New Roman 12 #000000\nprint 50,0 \"dos\" Times New Roman 12 #000000\n"
         "print 12,0 \"b\" Times New Roman 12 N #0000FF\n"},
        // Back from the right margin, 5 pt down, 12 pt tall (one line); a
        // frame in it, with the same cache and host; no outline without a
        // border or a colour. Its errors and zones are its own.
        {"{FR:-100,0,5,12,rojo}{G:p.bmp}{FR:20,0,0,0,3d,1}{@e}{XY:1}{L:t,l}{/FR}\r\nd{/FR}",
         "picture p.bmp 476,5 6x3\nprint 506,5 \"[e]" + plain +
             "print 524,5 \"l\" Times New Roman 12 U #0000FF\n"},
        {nested, deepest},
        {budget, "print 17,0 \"a" + plain},
        {budget, "print 17,0 \"a" + plain},  // counted afresh by each call
    };
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
