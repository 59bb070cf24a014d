// Pictures in card text (a 40 x 32 px logo is 30 x 24 pt), the mouse over them, the cache.

#include <filesystem>

#include "test_support.h"

namespace cartulo {
namespace {

using namespace testing;
using richtext::HotZone;

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

struct PictureCase {
    std::string text, ink;
    float y;
    Strings zones;
};

TEST_F(Pictures, Golden) {
    const std::string logo = "picture logo.bmp ";
    const PictureCase cases[] = {
        // Inline pictures sit on the baseline.
        {"{G:logo.bmp}", logo + "6,0 30x24\n", 24, {}},
        {"a{G:logo.bmp}b", P("6,9", "a") + logo + "12,0 30x24\n" + P("42,9", "b"), 24, {}},
        // Missing pictures take no room and record nothing.
        {"a{G:nada.bmp}b{B:nada.bmp,cmd}{GI:nada.bmp,0}{W:nada.bmp,0}",
         P("6,0", "a") + P("12,0", "b"),
         12,
         {}},
        // {GI:} from the left edge, {GD:} from the right, at the top, no room.
        {"a\r\nb{GI:logo.bmp,8}{GD:logo.bmp,4}",
         P("6,0", "a") + P("6,18", "b") + logo + "6,18 30x24\n" + logo + "567,18 30x24\n",
         30,
         {}},
        {"{B:logo.bmp,abrir} {B:logo.bmp,pulsado.bmp,cerrar,ya}",
         logo + "6,0 30x24\n" + P("36,9", " ") + logo + "42,0 30x24\n",
         24,
         {"6,0 33,21 k1 logo.bmp|abrir|", "42,0 69,21 k1 logo.bmp|pulsado.bmp|cerrar,ya"}},
        // Areas of a picture map, until a group without a command.
        {"{H:logo.bmp,0,0,10,10,uno,10,0,20,10,dos,0,0,5,5,,0,0,1,1,tres}",
         logo + "6,0 30x24\n",
         24,
         {"6,0 16,10 k4 uno||", "16,0 26,10 k4 dos||"}},
        // A sound symbol without speaker pictures: nothing.
        {"{S:sonido.wav}", "", 0, {}},
    };
    for (const PictureCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Paint(c.text), c.ink);
        EXPECT_EQ(lastY, c.y);
        EXPECT_EQ(Zones(), c.zones);
        EXPECT_TRUE(Errors().empty());
    }
}

TEST_F(Pictures, OnePathOneLoad) {
    Paint("{G:logo.bmp} {G:./logo.bmp} {G:sub/../logo.bmp} {G:.//logo.bmp}");
    // A name that starts with "/" stays under the base path.
    EXPECT_EQ(Paint("{G:/logo.bmp}"), "picture logo.bmp 6,0 30x24\n");
    for (const char* base : {"/cards/sub/..", "/cards/"}) {
        engine.BasePath = base;
        Paint("{G:logo.bmp}");
    }
    EXPECT_EQ(loaderView->TotalLoads(), 1);
    // "" is the current folder; a missing picture is tried again each time.
    engine.BasePath = "";
    Paint("{G:logo.bmp}");
    EXPECT_EQ(loaderView->Loads((std::filesystem::current_path() / "logo.bmp").string()), 2);
}

TEST_F(Pictures, TiledBackgrounds) {
    // A 120 pt tile from the first line's background top (-6) to the bottom.
    // clang-format off
    const std::pair<int, Strings> cases[] = {
        {0, {"0", "120", "240", "360", "480"}}, {1, {"0"}}, {2, {"480"}}, {3, {"0", "480"}},
        {4, {"240"}}, {5, {"180", "300"}},
    };
    // clang-format on
    for (const auto& [mode, columns] : cases) {
        SCOPED_TRACE(mode);
        std::string expected;
        for (const char* y : {"-6", "114", "234", "354"}) {
            for (const std::string& x : columns)
                expected += "picture tile.bmp " + x + "," + y + " 120x120\n";
        }
        expected += P("6,0", "a");
        EXPECT_EQ(Paint("{W:tile.bmp," + std::to_string(mode) + "}a"), expected);
    }
    EXPECT_EQ(Paint("{W:tile.bmp,6}a"), P("6,0", "a"));
    EXPECT_EQ(Paint("{W:empty.bmp,0}a"), P("6,0", "a"));
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
    EXPECT_EQ(engine.ScaleMode2Points(60), 3);
}

// The mouse over the last painting's zones; a logo button at the start: (6,0)-(33,21).
class Mouse : public Pictures {
  protected:
    Mouse() {
        engine.Hypertext = [this](const std::string& s) { events.push_back("Hypertext " + s); };
        engine.Exec = [this](const std::string& s) { events.push_back("Exec " + s); };
        engine.Popup = [this](const std::string& s) { events.push_back("Popup " + s); };
        engine.PlaySound = [this](const std::string& s) { events.push_back("PlaySound " + s); };
    }

    void Paint(const std::string& text) {
        engine.DrawText(text, 0, 0, 0, -1);
        surface.ClearLog();
        events.clear();
    }
    // A press where the pointer came to rest, and a click.
    void Press(float x, float y) {
        engine.MouseMove(1, x, y);
        engine.MouseDown(1, x, y);
    }
    void Click(float x, float y) {
        Press(x, y);
        engine.MouseUp(1, x, y);
    }
    // What the mouse painted, and raised, since the last call.
    Strings Feedback() {
        Strings out = surface.Log();
        surface.ClearLog();
        return out;
    }
    Strings TakeEvents() { return std::exchange(events, {}); }

    Strings events;
};

TEST_F(Mouse, HoverFollowsTheLastZoneUnderThePointerAndSetsThePointer) {
    // Two areas of a picture map that overlap from (16, 10) to (26, 20).
    Paint("{H:logo.bmp,0,0,20,20,uno,10,10,30,30,dos}");
    engine.MouseMove(0, 7, 1);
    EXPECT_EQ(engine.HoverZone(), 0);
    EXPECT_EQ(surface.Pointer(), PointerShape::UpArrow);
    engine.MouseMove(0, 20, 15);  // in both: the one painted later wins
    EXPECT_EQ(engine.HoverZone(), 1);
    engine.MouseDown(0, 20, 15);
    EXPECT_EQ(TakeEvents(), Strings{"Exec dos"});
    // Borders are inside: the corners of "uno" and "dos".
    engine.MouseMove(0, 6, 0);
    EXPECT_EQ(engine.HoverZone(), 0);
    engine.MouseMove(0, 36, 30);
    EXPECT_EQ(engine.HoverZone(), 1);
    engine.MouseMove(0, 36.5f, 30);
    EXPECT_EQ(engine.HoverZone(), -1);
    EXPECT_EQ(surface.Pointer(), PointerShape::Default);
    // A press off every zone, a release with nothing pressed: nothing.
    engine.MouseDown(2, 36.5f, 30);
    engine.MouseUp(2, 36.5f, 30);
    engine.MouseMove(2, 7, 1);
    engine.MouseDown(2, 7, 1);
    EXPECT_EQ(TakeEvents(), Strings{"Exec uno"});
    EXPECT_TRUE(Feedback().empty());  // map areas show no pressed state
}

TEST_F(Mouse, ButtonsShowThePressAndRunTheirCommand) {
    const Strings outlined{"rect 6,0 33,21 #000000 w1", "refresh 6,0 33,21"},
        normal{"picture logo.bmp 6,0 30x24", "refresh 6,0 36,24"},
        pressed{"picture pulsado.bmp 6,0 30x24", "refresh 6,0 36,24"};
    Paint("{B:logo.bmp,abrir}");
    Press(10, 10);
    EXPECT_EQ(engine.PressedZone(), 0);
    EXPECT_EQ(Feedback(), outlined);
    EXPECT_TRUE(TakeEvents().empty());
    // Pressed look only while inside, painted only when it changes.
    engine.MouseMove(1, 34, 10);
    EXPECT_EQ(Feedback(), normal);
    engine.MouseMove(1, 100, 100);
    EXPECT_TRUE(Feedback().empty());
    EXPECT_EQ(engine.HoverZone(), 0);  // not updated while pressed
    engine.MouseMove(1, 33, 21);
    EXPECT_EQ(Feedback(), outlined);
    engine.MouseUp(1, 33, 21);
    EXPECT_EQ(Feedback(), normal);
    EXPECT_EQ(TakeEvents(), Strings{"Exec abrir"});
    EXPECT_EQ(engine.PressedZone(), -1);
    // Three parameters: the pressed picture, the third runs; the pen left as it was.
    Paint("{B:logo.bmp,pulsado.bmp,cerrar,ya}");
    surface.SetDrawWidth(4);
    surface.SetCurrentX(300);
    Press(6, 0);
    EXPECT_EQ(Feedback(), pressed);
    engine.MouseUp(1, 20, 20);
    EXPECT_EQ(Feedback(), normal);
    EXPECT_EQ(TakeEvents(), Strings{"Exec cerrar,ya"});
    EXPECT_EQ(std::pair(surface.DrawWidth(), surface.CurrentX()), std::pair(4, 300.0));
    // Released outside: no command, the normal picture shown.
    Press(6, 0);
    engine.MouseMove(1, 50, 5);
    engine.MouseUp(1, 50, 5);
    EXPECT_EQ(Feedback(), (Strings{pressed[0], pressed[1], normal[0], normal[1]}));
    EXPECT_TRUE(TakeEvents().empty());
    EXPECT_EQ(engine.PressedZone(), -1);
    // A pressed picture that cannot be found: the button is outlined.
    Paint("{B:logo.bmp,falta.bmp,cerrar}");
    Press(6, 0);
    EXPECT_EQ(Feedback(), outlined);
}

TEST_F(Mouse, LinksAndPopupsShowNoPress) {
    Paint("{L:Casa,la casa} y {P:ver,la nota}");
    Click(10, 5);
    Click(70, 11);
    EXPECT_EQ(TakeEvents(), (Strings{"Hypertext Casa", "Popup la nota"}));
    EXPECT_EQ(engine.PressedZone(), -1);
    EXPECT_TRUE(Feedback().empty());
}

TEST_F(Mouse, SoundSymbols) {
    engine.InitImages(std::make_shared<FakePicture>("altavoz", 16, 16),
                      std::make_shared<FakePicture>("altavoz2", 16, 16));
    Paint("{S:sonido.wav}");
    Press(17, 11);
    const std::string up = "picture altavoz 6,0 12x12", down = "picture altavoz2 6,0 12x12",
                      refresh = "refresh 6,0 18,12";
    EXPECT_EQ(Feedback(), (Strings{down, refresh}));
    engine.MouseMove(1, 18, 11);
    engine.MouseMove(1, 10, 10);
    engine.MouseUp(1, 10, 10);
    EXPECT_EQ(Feedback(), (Strings{up, refresh, down, refresh, up, refresh}));
    EXPECT_EQ(TakeEvents(), Strings{"PlaySound /cards/sonido.wav"});
    // Released outside: silence.
    engine.MouseDown(1, 10, 10);
    engine.MouseUp(1, 30, 10);
    EXPECT_TRUE(TakeEvents().empty());
    // No sound player: nothing, and no harm.
    engine.PlaySound = nullptr;
    Click(10, 10);
}

TEST_F(Mouse, EveryCallStartsTheZonesAfresh) {
    Paint("{B:logo.bmp,abrir} {L:a,b}");
    Press(10, 10);
    // Measuring empties the table and ends the press.
    engine.SizeText("{B:logo.bmp,abrir} {L:a,b}", 0, 0, 0, -1);
    EXPECT_EQ(engine.HotZones().Count(), 0u);
    EXPECT_EQ(engine.HoverZone(), -1);
    EXPECT_EQ(engine.PressedZone(), -1);
    engine.MouseUp(1, 10, 10);
    Click(10, 10);
    EXPECT_TRUE(TakeEvents().empty());

    // The 101st zone is dropped with an error; the others still work.
    std::string text;
    for (int i = 0; i < 101; ++i) text += "{L:" + std::to_string(i) + ",b} ";
    Paint(text);
    ASSERT_EQ(engine.HotZones().Count(), 100u);
    ASSERT_EQ(engine.ErrorCount(), 1);
    EXPECT_EQ(engine.Errors(0), "Demasiadas zonas calientes");
    const HotZone& last = engine.HotZones().At(99);
    Click(static_cast<float>(last.x1), static_cast<float>(last.y1));
    EXPECT_EQ(TakeEvents(), Strings{"Hypertext 99"});
}

TEST_F(Mouse, HandlersMayPaintAgainOrReplaceThemselves) {
    // A link handler that paints another text: the new painting's zones.
    engine.Hypertext = [this](const std::string& target) {
        events.push_back("Hypertext " + target);
        engine.Hypertext = nullptr;
        engine.DrawText("{L:otra,x}", 100, 0, 0, -1);
    };
    Paint("{L:Casa,la casa}");
    Click(10, 5);
    EXPECT_EQ(TakeEvents(), Strings{"Hypertext Casa"});
    ASSERT_EQ(engine.HotZones().Count(), 1u);
    EXPECT_EQ(engine.HotZones().At(0).s1, "otra");

    // A button's command that paints anew while the button is released.
    engine.Exec = [this](const std::string& command) {
        events.push_back("Exec " + command);
        engine.DrawText("texto", 0, 0, 0, -1);
    };
    Paint("{B:logo.bmp,abrir}");
    Click(10, 10);
    EXPECT_EQ(TakeEvents(), Strings{"Exec abrir"});
    EXPECT_EQ(engine.HotZones().Count(), 0u);

    // The mouse during a painting (from an expression's handler) is ignored.
    engine.Evaluate = [this](std::string& value) {
        Press(10, 5);
        engine.MouseUp(1, 10, 5);
        value = "x";
    };
    events.clear();
    engine.DrawText("{L:Casa,la casa}{@e}", 0, 0, 0, -1);
    EXPECT_TRUE(TakeEvents().empty());
    EXPECT_EQ(engine.HoverZone(), -1);
}

class ImageCache : public ::testing::Test {
  protected:
    ImageCache() {
        auto owned = std::make_unique<CountingLoader>();
        loader = owned.get();
        for (int i = 0; i < 20; ++i) loader->Add("/p/" + std::to_string(i), 8, 8);
        loader->Add("/p/Logo.bmp", 1, 1);
        loader->Add("/p/logo.bmp", 2, 2);
        cache = std::make_unique<cImageCache>(std::move(owned));
    }
    std::string Keys() const {
        std::string out;
        for (std::size_t i = 0; i < cache->SlotCount(); ++i)
            out += (i ? " " : "") + (cache->Slot(i).key.empty() ? "-" : cache->Slot(i).key);
        return out;
    }
    CountingLoader* loader = nullptr;
    std::unique_ptr<cImageCache> cache;
};

TEST_F(ImageCache, LoadsOnce) {
    const auto first = cache->GetImage("/p/1");
    ASSERT_TRUE(first);
    EXPECT_EQ(cache->GetImage("/p/1").get(), first.get());
    EXPECT_EQ(loader->Loads("/p/1"), 1);
}

TEST_F(ImageCache, TheEleventhReplacesTheLowestScoreNotTheOldest) {
    for (int i = 0; i < 10; ++i) cache->GetImage("/p/" + std::to_string(i));
    EXPECT_EQ(Keys(), "/p/0 /p/1 /p/2 /p/3 /p/4 /p/5 /p/6 /p/7 /p/8 /p/9");
    // The oldest, kept in use, outscores the others.
    for (int i = 0; i < 5; ++i) cache->GetImage("/p/0");
    cache->GetImage("/p/10");
    EXPECT_EQ(Keys(), "/p/0 /p/10 /p/2 /p/3 /p/4 /p/5 /p/6 /p/7 /p/8 /p/9");
    // Without hits, the lowest is the one loaded longest ago.
    cache->GetImage("/p/11");
    EXPECT_EQ(Keys(), "/p/0 /p/10 /p/11 /p/3 /p/4 /p/5 /p/6 /p/7 /p/8 /p/9");
    // A failed load leaves the cache alone, and is tried afresh each time.
    EXPECT_EQ(cache->GetImage("/p/missing"), nullptr);
    EXPECT_EQ(Keys(), "/p/0 /p/10 /p/11 /p/3 /p/4 /p/5 /p/6 /p/7 /p/8 /p/9");
    for (std::size_t i = 0; i < cache->SlotCount(); ++i) EXPECT_TRUE(cache->Slot(i).loaded);
    cache->GetImage("/p/missing");
    EXPECT_EQ(loader->Loads("/p/missing"), 2);
}

TEST_F(ImageCache, AmongEqualScoresTheFirstGoes) {
    for (int i = 0; i < 10; ++i) cache->GetImage("/p/" + std::to_string(i));
    // Decayed to the least float above 0, which 0.9 no longer lowers: ten equal scores.
    for (int i = 0; i < 2000; ++i) cache->GetImage("/p/missing");
    for (std::size_t i = 0; i < cache->SlotCount(); ++i) {
        EXPECT_GT(cache->Slot(i).score, 0.0f);
        EXPECT_EQ(cache->Slot(i).score, cache->Slot(0).score);
    }
    cache->GetImage("/p/10");
    EXPECT_EQ(Keys(), "/p/10 /p/1 /p/2 /p/3 /p/4 /p/5 /p/6 /p/7 /p/8 /p/9");
    // The newcomer now outscores the rest, still equal: the first of them goes.
    cache->GetImage("/p/11");
    EXPECT_EQ(Keys(), "/p/10 /p/11 /p/2 /p/3 /p/4 /p/5 /p/6 /p/7 /p/8 /p/9");
}

TEST_F(ImageCache, KeysAreExactAbsoluteAndNormalPaths) {
    for (const char* numeric : {"12", " 3 ", ""}) EXPECT_EQ(cache->GetImage(numeric), nullptr);
    EXPECT_EQ(loader->TotalLoads(), 0);
    const auto upper = cache->GetImage("/p/Logo.bmp");
    const auto lower = cache->GetImage("/p/logo.bmp");
    ASSERT_TRUE(upper && lower);
    EXPECT_EQ(std::pair(upper->Width(), lower->Width()), std::pair(1, 2));
    EXPECT_EQ(loader->TotalLoads(), 2);
    cache->Clear();
    for (const char* same : {"/p/./1", "/p/1", "/p//1", "/p/q/../1"})
        ASSERT_TRUE(cache->GetImage(same));
    EXPECT_EQ(loader->Loads("/p/1"), 1);
    EXPECT_EQ(loader->TotalLoads(), 3);
    EXPECT_EQ(Keys(), "/p/1 - - - - - - - - -");
}

TEST_F(ImageCache, APictureOutlivesItsEvictionAndNoLoaderOrSlotsGiveNone) {
    const auto kept = cache->GetImage("/p/0");
    for (int i = 1; i <= 12; ++i) cache->GetImage("/p/" + std::to_string(i));
    EXPECT_EQ(Keys().find("/p/0 "), std::string::npos);
    EXPECT_EQ(kept->Width(), 8);
    // No loader, or no slots: no pictures.
    cImageCache none(nullptr);
    EXPECT_EQ(none.GetImage("/p/1"), nullptr);
    auto one = std::make_unique<CountingLoader>();
    one->Add("/p/1", 1, 1);
    cImageCache empty(std::move(one), 0);
    EXPECT_EQ(empty.GetImage("/p/1"), nullptr);
}

}  // namespace
}  // namespace cartulo
