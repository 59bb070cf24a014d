// Pictures in card text, on the 600 x 400 pt screen surface: a picture
// pixel is 0.75 pt there (15 twips per pixel), so the 40 x 32 px logo is
// drawn 30 x 24 pt, 18 pt above the baseline and 6 below.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"

namespace cartulo {
namespace {

using namespace testing;

class Pictures : public EngineTest {
  protected:
    Pictures() {
        CountingLoader& loader = UsePictures();
        loader.Add("/cards/logo.bmp", 40, 32);
        loader.Add("/cards/pulsado.bmp", 40, 32);
        loader.Add("/cards/tile.bmp", 160, 160);
        loader.Add("/cards/empty.bmp", 0, 0);
    }
};

TEST_F(Pictures, InlinePictureSitsOnTheBaseline) {
    EXPECT_EQ(Paint("{G:logo.bmp}"), "picture logo.bmp 6,0 30x24\n");
    EXPECT_EQ(lastY, 24);
    EXPECT_EQ(Paint("a{G:logo.bmp}b"),
              P("6,9", "a") + "picture logo.bmp 12,0 30x24\n" + P("42,9", "b"));
    EXPECT_EQ(engine.ErrorCount(), 0);
}

TEST_F(Pictures, ThreeUsesOfOnePictureLoadItOnce) {
    Paint("{G:logo.bmp} {G:logo.bmp} {G:logo.bmp}");
    Paint("{G:logo.bmp}");
    EXPECT_EQ(loaderView->Loads("/cards/logo.bmp"), 1);
    EXPECT_EQ(loaderView->TotalLoads(), 1);
}

TEST_F(Pictures, NamesResolveAgainstTheBasePath) {
    engine.BasePath = "/cards/";
    Paint("{G:logo.bmp}");
    EXPECT_EQ(loaderView->Loads("/cards/logo.bmp"), 1);
    engine.BasePath = "";
    Paint("{G:logo.bmp}");
    // "" is the current folder. Not there: tried when measured and again
    // when painted, never kept.
    const std::string here = (std::filesystem::current_path() / "logo.bmp").string();
    EXPECT_EQ(loaderView->Loads(here), 2);
    EXPECT_EQ(loaderView->Loads("logo.bmp"), 0);
    // Numeric names ask for resource pictures, which do not exist here.
    Paint("{G:12}");
    EXPECT_EQ(loaderView->Loads("12"), 0);
}

TEST_F(Pictures, OnePathOneSlot) {
    Paint("{G:./logo.bmp} {G:sub/../logo.bmp} {G:logo.bmp} {G:.//logo.bmp}");
    EXPECT_EQ(loaderView->Loads("/cards/logo.bmp"), 1);
    EXPECT_EQ(loaderView->TotalLoads(), 1);
    // A name that starts with "/" stays under the base path.
    Paint("{G:/logo.bmp}");
    EXPECT_EQ(loaderView->TotalLoads(), 1);
    EXPECT_EQ(Join(surface.Ink()), "picture logo.bmp 6,0 30x24\n");
    engine.BasePath = "/cards/sub/..";
    Paint("{G:logo.bmp}");
    EXPECT_EQ(loaderView->TotalLoads(), 1);
}

TEST_F(Pictures, MissingPicturesTakeNoRoomAndRecordNothing) {
    EXPECT_EQ(Paint("a{G:nada.bmp}b{B:nada.bmp,cmd}{GI:nada.bmp,0}{W:nada.bmp,0}"),
              P("6,0", "a") + P("12,0", "b"));
    EXPECT_EQ(engine.ErrorCount(), 0);
    EXPECT_TRUE(engine.HotZones().All().empty());
    engine.ImageCache = nullptr;
    EXPECT_EQ(Paint("{G:logo.bmp}"), "");
}

TEST_F(Pictures, PicturesAtTheEdges) {
    // {GI:} x pixels from the left edge, {GD:} from the right one; both at
    // the line's top, and neither takes room.
    EXPECT_EQ(Paint("a{GI:logo.bmp,8}{GD:logo.bmp,0}"),
              P("6,0", "a") + "picture logo.bmp 6,0 30x24\npicture logo.bmp 570,0 30x24\n");
    EXPECT_EQ(lastY, 12);
    EXPECT_EQ(Paint("a\r\nb{GD:logo.bmp,4}"),
              P("6,0", "a") + P("6,18", "b") + "picture logo.bmp 567,18 30x24\n");
}

TEST_F(Pictures, ButtonsMapsAndTheirZones) {
    EXPECT_EQ(Paint("{B:logo.bmp,abrir} {B:logo.bmp,pulsado.bmp,cerrar,ya}"),
              "picture logo.bmp 6,0 30x24\n" + P("36,9", " ") + "picture logo.bmp 42,0 30x24\n");
    EXPECT_EQ(Zones(), (Strings{"6,0 33,21 k1 logo.bmp|abrir|",
                                "42,0 69,21 k1 logo.bmp|pulsado.bmp|cerrar,ya"}));
    // Areas of a picture map, until a group without a command.
    Paint("{H:logo.bmp,0,0,10,10,uno,10,0,20,10,dos,0,0,5,5,,0,0,1,1,tres}");
    EXPECT_EQ(Zones(), (Strings{"6,0 16,10 k4 uno||", "16,0 26,10 k4 dos||"}));
}

TEST_F(Pictures, SoundSymbol) {
    EXPECT_EQ(Paint("{S:sonido.wav}"), "");
    EXPECT_TRUE(engine.HotZones().All().empty());
    engine.InitImages(std::make_shared<FakePicture>("altavoz", 16, 16),
                      std::make_shared<FakePicture>("altavoz2", 16, 16));
    EXPECT_EQ(Paint("{S:sonido.wav}"), "picture altavoz 6,0 12x12\n");
    EXPECT_EQ(Zones(), (Strings{"6,0 17,11 k2 sonido.wav||"}));
}

TEST_F(Pictures, TiledBackgrounds) {
    // A 120 pt tile from the first line's background top (-6, the
    // paragraph spacing above it) to the bottom of the 600 x 400 surface.
    struct TileCase {
        int mode;
        Strings columns;
    };
    const TileCase cases[] = {
        {0, {"0", "120", "240", "360", "480"}},
        {1, {"0"}},
        {2, {"480"}},
        {3, {"0", "480"}},
        {4, {"240"}},
        {5, {"180", "300"}},
    };
    for (const TileCase& c : cases) {
        SCOPED_TRACE(c.mode);
        std::string expected;
        for (const char* y : {"-6", "114", "234", "354"}) {
            for (const std::string& x : c.columns) {
                expected += "picture tile.bmp " + x + "," + y + " 120x120\n";
            }
        }
        expected += P("6,0", "a");
        EXPECT_EQ(Paint("{W:tile.bmp," + std::to_string(c.mode) + "}a"), expected);
    }
    EXPECT_EQ(Paint("{W:tile.bmp,6}a"), P("6,0", "a"));
    EXPECT_EQ(Paint("{W:empty.bmp,0}a"), P("6,0", "a"));
}

// A hundred zones at most (hot_zones_test.cpp: links), also from one map.
TEST_F(Pictures, AHundredZonesAtMost) {
    const std::string map = "{H:logo.bmp" + Repeat(",0,0,1,1,c", 500) + "}";
    Paint(map);
    EXPECT_EQ(engine.HotZones().Count(), 100u);
    EXPECT_EQ(Errors(), Strings{"Demasiadas zonas calientes"});
    // Measuring records no zones.
    engine.SizeText(map, 0, 0, 0, -1);
    EXPECT_EQ(engine.HotZones().Count(), 0u);
}

TEST_F(Pictures, PaintingStaysOnTheSurfaceTheCallBeganWith) {
    // A handler that moves Ctrl to another surface, in twips, mid-call.
    FakeSurface other(12000, 8000, ScaleMode::Twips);
    engine.Evaluate = [&](std::string& value) {
        engine.Ctrl = &other;
        value = "x";
    };
    EXPECT_EQ(Paint("{@e}{G:logo.bmp}{GI:logo.bmp,8}{GD:logo.bmp,4}"),
              P("6,0", "x") +
                  "picture logo.bmp 12,0 30x24\npicture logo.bmp 6,0 30x24\n"
                  "picture logo.bmp 567,0 30x24\n");
    EXPECT_TRUE(other.Log().empty());
    // Between calls the conversions follow Ctrl.
    EXPECT_EQ(engine.PixelsToScale(8), 120);
    EXPECT_EQ(engine.PointsToScale(3), 60);
}

TEST_F(Pictures, OnAPrinterEdgeOffsetsAndPicturePixelsArePoints) {
    FakeSurface points(600, 400, ScaleMode::Points, true);
    engine.Ctrl = &points;
    engine.DrawText("a{GI:logo.bmp,8}{GD:logo.bmp,4}", 0, 0, 0, -1);
    EXPECT_EQ(Join(points.Ink()),
              P("6,0", "a") + "picture logo.bmp 8,0 40x32\npicture logo.bmp 556,0 40x32\n");
    FakeSurface twips(12000, 8000, ScaleMode::Twips, true);
    engine.Ctrl = &twips;
    engine.DrawText("a{GI:logo.bmp,8}{GD:logo.bmp,4}", 0, 0, 0, -1);
    EXPECT_EQ(
        Join(twips.Ink()),
        P("120,0", "a") + "picture logo.bmp 160,0 800x640\npicture logo.bmp 11120,0 800x640\n");
    // A picture pixel is a point on a printer.
    points.ClearLog();
    engine.Ctrl = &points;
    engine.DrawText("{G:logo.bmp}", 0, 0, 0, -1);
    EXPECT_EQ(Join(points.Ink()), "picture logo.bmp 6,0 40x32\n");
}

}  // namespace
}  // namespace cartulo
