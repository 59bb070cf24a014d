// Frames on the fake surface (600 x 400 pt, MI 10, MP 6, MD 30; 6 pt
// characters, 12 pt lines): a second engine paints the body in a box.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "richtext/zuzod_ivodure_frame.h"
#include "test_support.h"

namespace cartulo {
namespace {

using testing::EngineTest;
using testing::Join;

std::string Nested(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "{FR:1}a";
    for (int i = 0; i < depth; ++i) text += "{/FR}";
    return text;
}

class Frames : public EngineTest {
  protected:
    std::string Paint(const std::string& text) {
        surface.ClearLog();
        engine.DrawText(text, 0, 0, 0, -1);
        return Join(surface.Ink());
    }
};

TEST_F(Frames, Placed) {
    UsePictures().Add("/cards/p.bmp", 8, 4);
    engine.Evaluate = [](std::string& value) { value = "[" + value + "]"; };
    const struct {
        std::string text;
        std::string ink;
    } cases[] = {
        // No width: between the right margin and the right margin.
        {"{FR:0,0,0,0}marco{/FR}", "print 576,0 \"marco\" Times New Roman 12 #000000\n"},
        // 10 pt to 200 pt right of MI, outlined as tall as the body; the
        // text after the frame is in the style before it, the body in the
        // defaults.
        {"{N}{Q:azul}a{FR:10,200,0,0,rojo,1}uno dos{/FR}b",
         "print 6,0 \"a\" Times New Roman 12 N #0000FF\n"
         "rect 20,0 210,12 #FF0000 w1\n"
         "print 26,0 \"uno \" Times New Roman 12 #000000\n"
         "print 50,0 \"dos\" Times New Roman 12 #000000\n"
         "print 12,0 \"b\" Times New Roman 12 N #0000FF\n"},
        // Measured back from the right margin; 5 pt down, 12 pt tall: one line.
        {"x {FR:-100,0,5,12}c\r\nd{/FR}",
         "print 6,0 \"x \" Times New Roman 12 #000000\n"
         "print 476,5 \"c\" Times New Roman 12 #000000\n"},
        // Nested frames; a picture and an expression reach the same cache
        // and host.
        {"{FR:1}{G:p.bmp}{FR:20}{@e}{/FR}{/FR}",
         "picture p.bmp 17,0 6x3\n"
         "print 47,0 \"[e]\" Times New Roman 12 #000000\n"},
        // No outline without a border, or with a colour that is none.
        {"{FR:1,0,0,0,rojo}a{/FR}{FR:1,0,0,0,3d,2}b{/FR}",
         "print 17,0 \"a\" Times New Roman 12 #000000\n"
         "print 17,0 \"b\" Times New Roman 12 #000000\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Paint(c.text), c.ink);
        EXPECT_EQ(engine.ErrorCount(), 0);
    }
    EXPECT_EQ(loaderView->Loads("/cards/p.bmp"), 1);
}

TEST_F(Frames, NestOnlySoDeep) {
    const std::string deepest = Paint(Nested(kMaxFrameNesting));
    EXPECT_EQ(surface.Ink().size(), static_cast<std::size_t>(kMaxFrameNesting));
    EXPECT_EQ(Paint(Nested(kMaxFrameNesting + 3)), deepest);
    EXPECT_EQ(engine.ErrorCount(), 0);
}

}  // namespace
}  // namespace cartulo
