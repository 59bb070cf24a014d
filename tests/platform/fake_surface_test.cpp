#include "platform/fake_surface.h"

#include <gtest/gtest.h>

namespace cartulo {
namespace {

TEST(FakeSurfaceTest, MetricsFollowTheScaleAndSize) {
    struct Case {
        ScaleMode mode;
        double size, widthAbc, height;
    };
    for (const Case& c :
         {Case{ScaleMode::Pixels, 12, 24, 16}, Case{ScaleMode::Points, 12, 18, 12},
          Case{ScaleMode::Twips, 12, 360, 240}, Case{ScaleMode::Pixels, 24, 48, 32}}) {
        FakeSurface s(800, 600, c.mode);
        ASSERT_TRUE(s.SetFontSize(c.size));
        EXPECT_EQ(s.TextWidth("abc"), c.widthAbc) << c.height;
        EXPECT_EQ(s.TextHeight(""), c.height);
        // Text metrics are device pixels whatever the scale.
        const TextMetrics m = s.GetTextMetrics();
        EXPECT_EQ(m.height, c.size * 4 / 3);
        EXPECT_EQ(m.ascent, c.size);
        EXPECT_EQ(m.descent, c.size / 3);
        EXPECT_EQ(m.internalLeading + m.externalLeading, 0);
    }
    FakeSurface s(800, 600);
    EXPECT_EQ(s.Font().name, "Times New Roman");
    EXPECT_EQ(s.TextWidth(""), 0);
    EXPECT_EQ(s.TwipsPerPixelX() + s.TwipsPerPixelY(), 30);
    EXPECT_FALSE(s.IsPrinter());
    EXPECT_TRUE(FakeSurface(10, 10, ScaleMode::Twips, true).IsPrinter());
}

// Scale changes and refused fonts are checked beside the Qt surface.
TEST(FakeSurfaceTest, PaintingLogsAndInkKeepsOnlyPaint) {
    FakeSurface s(800, 600);
    s.SetCurrentX(10);
    s.SetCurrentY(20);
    s.SetForeColor(Rgb(255, 0, 0));
    s.Print("Hola");
    EXPECT_EQ(s.CurrentX(), 42);
    EXPECT_EQ(s.CurrentY(), 20);
    s.SetFontTransparent(true);
    s.SetFontBold(true);
    s.SetFontUnderline(true);
    s.SetFontSize(10.5);
    s.Print("x");
    s.SetFontCharset(kSymbolCharset);
    s.SetFontItalic(true);
    s.SetFontStrikethrough(true);
    s.SetForeColor(Rgb(0x12, 0x34, 0x56));
    s.Print("a");
    s.SetDrawWidth(2);
    s.Line(0, 0, 10, 5, Rgb(0, 0, 255));
    EXPECT_EQ(s.CurrentX(), 10);
    EXPECT_EQ(s.CurrentY(), 5);
    s.SetScaleMode(ScaleMode::Points);
    s.Rectangle(1, 2, 3.25, 4, Rgb(0, 255, 0), true);
    s.SetDrawWidth(1);
    s.Point(7, 8, Rgb(1, 2, 3));
    s.SetFillColor(Rgb(255, 255, 0));
    s.Polygon({{0, 0}, {10, 0}, {5, 5}});
    s.SetFillStyle(FillStyle::Solid);
    s.Polygon({{0, 0}, {10, 0}, {5, 5}});
    s.PaintPicture(FakePicture("logo.bmp", 32, 16), 4, 5, 24, 12);
    s.SetPointer(PointerShape::Hand);
    EXPECT_EQ(s.Pointer(), PointerShape::Hand);
    const std::vector<std::string> ink{
        "print 10,20 \"Hola\" Times New Roman 12 #FF0000 opaque",
        "print 42,20 \"x\" Times New Roman 10.5 N U #FF0000",
        "print 49,20 \"a\" Times New Roman 10.5 N C U S charset=2 #123456",
        "line 0,0 10,5 #0000FF w2",
        "rect 1,2 3.25,4 #00FF00 filled w2",
        "point 7,8 #010203",
        "polygon 0,0 10,0 5,5 fill=none line=#123456",
        "polygon 0,0 10,0 5,5 fill=#FFFF00 line=#123456",
        "picture logo.bmp 4,5 24x12",
    };
    EXPECT_EQ(s.Ink(), ink);
    EXPECT_EQ(s.Log().size(), ink.size() + 1);  // and the scale mode
    s.ClearLog();
    EXPECT_TRUE(s.Log().empty());
}

}  // namespace
}  // namespace cartulo
