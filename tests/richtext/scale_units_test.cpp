#include "richtext/scale_units.h"

#include <gtest/gtest.h>

#include "platform/fake_surface.h"
#include "richtext/zuzod_ivodure.h"

namespace cartulo::richtext {
namespace {

struct UnitCase {
    ScaleMode mode;
    bool printer;
    double pointsTo10;   // PointsToScale(10)
    double pixelsTo10;   // PixelsToScale(10)
    double toPoints10;   // ScaleToPoints(10)
    double pictureTo10;  // PictureToScale(10)
};

TEST(ScaleUnits, ThreeScaleModesOnScreenAndPrinter) {
    // The fake surface has 15 twips per pixel.
    const UnitCase cases[] = {
        {ScaleMode::Twips, false, 200, 150, 0.5, 150},
        {ScaleMode::Points, false, 10, 7.5, 10, 7.5},
        {ScaleMode::Pixels, false, 10 * 20.0 / 15, 10, 7.5, 10},
        {ScaleMode::Twips, true, 200, 200, 0.5, 200},
        {ScaleMode::Points, true, 10, 10, 10, 10},
        {ScaleMode::Pixels, true, 10 * 20.0 / 15, 10, 7.5, 10 * 20.0 / 15},
        {ScaleMode::User, false, 0, 0, 0, 0},
        {ScaleMode::User, true, 0, 0, 0, 0},
    };
    for (const UnitCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode) * 10 + c.printer);
        const FakeSurface surface(100, 100, c.mode, c.printer);
        EXPECT_DOUBLE_EQ(PointsToScale(surface, 10), c.pointsTo10);
        EXPECT_DOUBLE_EQ(PixelsToScale(surface, 10), c.pixelsTo10);
        EXPECT_DOUBLE_EQ(ScaleToPoints(surface, 10), c.toPoints10);
        EXPECT_DOUBLE_EQ(PictureToScale(surface, 10), c.pictureTo10);
    }
}

TEST(ScaleUnits, EngineConversionsNeedASurface) {
    cZuzodIvodure engine;
    EXPECT_EQ(engine.ScaleMode2Points(100), 0);
    EXPECT_EQ(engine.PointsToScale(100), 0);
    FakeSurface surface(100, 100, ScaleMode::Twips);
    engine.Ctrl = &surface;
    EXPECT_FLOAT_EQ(engine.ScaleMode2Points(100), 5);
    EXPECT_DOUBLE_EQ(engine.PointsToScale(5), 100);
    EXPECT_DOUBLE_EQ(engine.PixelsToScale(2), 30);
}

// A surface whose fonts report no height, and no twips per pixel.
class FlatSurface : public FakeSurface {
  public:
    using FakeSurface::FakeSurface;
    TextMetrics GetTextMetrics() const override { return {}; }
    double TwipsPerPixelX() const override { return 0; }
};

TEST(ScaleUnits, NoDivisionByZero) {
    const FlatSurface surface(100, 100, ScaleMode::Pixels);
    EXPECT_DOUBLE_EQ(FontAscent(surface), LineHeight(surface));
    EXPECT_EQ(PointsToScale(surface, 10), 0);
    EXPECT_EQ(ScaleToPoints(surface, 10), 0);
}

TEST(ScaleUnits, FontMeasures) {
    FakeSurface surface(100, 100, ScaleMode::Points);
    EXPECT_DOUBLE_EQ(LineHeight(surface), 12);
    EXPECT_DOUBLE_EQ(FontAscent(surface), 9);
    surface.SetFontSize(20);
    EXPECT_DOUBLE_EQ(FontAscent(surface), 15);
}

TEST(ScaleUnits, LengthsStayFinite) {
    EXPECT_EQ(ClampLength(1e308), kMaxMarkupLength);
    EXPECT_EQ(ClampLength(-1e308), -kMaxMarkupLength);
    EXPECT_EQ(ClampLength(12), 12);
}

}  // namespace
}  // namespace cartulo::richtext
