// The mouse over the zones of the last painting, on the 600 x 400 pt fake
// surface: the 40 x 32 px logo is drawn 30 x 24 pt with its top-left
// corner at (6, 0) at the start of a text, so a button there has the zone
// (6, 0) to (33, 21); text lines are 12 pt high.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "richtext/error_list.h"
#include "test_support.h"

namespace cartulo {
namespace {

using richtext::HotZone;
using richtext::HotZoneTable;
using richtext::ZoneKind;
using namespace testing;

class Mouse : public EngineTest {
  protected:
    Mouse() {
        testing::CountingLoader& loader = UsePictures();
        loader.Add("/cards/logo.bmp", 40, 32);
        loader.Add("/cards/pulsado.bmp", 40, 32);
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
    // A click where the pointer came to rest.
    void Click(float x, float y) {
        engine.MouseMove(1, x, y);
        engine.MouseDown(1, x, y);
        engine.MouseUp(1, x, y);
    }
    // What the mouse painted since the last call, and forgets it.
    Strings Feedback() {
        Strings out = surface.Log();
        surface.ClearLog();
        return out;
    }
    Strings TakeEvents() {
        Strings out = events;
        events.clear();
        return out;
    }

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
    // A press with no zone under the pointer, and a release with nothing
    // pressed, do nothing; every button acts alike.
    engine.MouseDown(2, 36.5f, 30);
    engine.MouseUp(2, 36.5f, 30);
    engine.MouseMove(2, 7, 1);
    engine.MouseDown(2, 7, 1);
    EXPECT_EQ(TakeEvents(), Strings{"Exec uno"});
    EXPECT_TRUE(Feedback().empty());  // map areas show no pressed state
}

TEST_F(Mouse, TwoParameterButtonIsOutlinedWhilePressedAndRunsItsSecondParameter) {
    Paint("{B:logo.bmp,abrir}");
    engine.MouseMove(1, 10, 10);
    engine.MouseDown(1, 10, 10);
    EXPECT_EQ(engine.PressedZone(), 0);
    EXPECT_EQ(Feedback(), (Strings{"rect 6,0 33,21 #000000 w1", "refresh 6,0 33,21"}));
    EXPECT_TRUE(TakeEvents().empty());
    // The pressed look only while the pointer is inside; nothing is painted
    // again while the look stays the same.
    engine.MouseMove(1, 34, 10);
    EXPECT_EQ(Feedback(), (Strings{"picture logo.bmp 6,0 30x24", "refresh 6,0 36,24"}));
    engine.MouseMove(1, 100, 100);
    EXPECT_TRUE(Feedback().empty());
    EXPECT_EQ(engine.HoverZone(), 0);  // not updated while pressed
    engine.MouseMove(1, 33, 21);
    EXPECT_EQ(Feedback(), (Strings{"rect 6,0 33,21 #000000 w1", "refresh 6,0 33,21"}));
    engine.MouseUp(1, 33, 21);
    EXPECT_EQ(Feedback(), (Strings{"picture logo.bmp 6,0 30x24", "refresh 6,0 36,24"}));
    EXPECT_EQ(TakeEvents(), Strings{"Exec abrir"});
    EXPECT_EQ(engine.PressedZone(), -1);
    // The pen and line width are left as they were.
    EXPECT_EQ(surface.DrawWidth(), 1);
}

TEST_F(Mouse, ThreeParameterButtonShowsItsPressedPictureAndRunsItsThird) {
    Paint("{B:logo.bmp,pulsado.bmp,cerrar,ya}");
    surface.SetDrawWidth(4);
    surface.SetCurrentX(300);
    engine.MouseMove(1, 6, 0);
    engine.MouseDown(1, 6, 0);
    EXPECT_EQ(Feedback(), (Strings{"picture pulsado.bmp 6,0 30x24", "refresh 6,0 36,24"}));
    engine.MouseUp(1, 20, 20);
    EXPECT_EQ(Feedback(), (Strings{"picture logo.bmp 6,0 30x24", "refresh 6,0 36,24"}));
    EXPECT_EQ(TakeEvents(), Strings{"Exec cerrar,ya"});
    EXPECT_EQ(surface.DrawWidth(), 4);
    EXPECT_EQ(surface.CurrentX(), 300);

    // Pressed, moved out and released outside: no command, the normal
    // picture shown.
    engine.MouseMove(1, 6, 0);
    engine.MouseDown(1, 6, 0);
    engine.MouseMove(1, 50, 5);
    engine.MouseUp(1, 50, 5);
    EXPECT_EQ(Feedback(), (Strings{"picture pulsado.bmp 6,0 30x24", "refresh 6,0 36,24",
                                   "picture logo.bmp 6,0 30x24", "refresh 6,0 36,24"}));
    EXPECT_TRUE(TakeEvents().empty());
    EXPECT_EQ(engine.PressedZone(), -1);

    // A pressed picture that cannot be found: the button is outlined.
    Paint("{B:logo.bmp,falta.bmp,cerrar}");
    engine.MouseMove(1, 6, 0);
    engine.MouseDown(1, 6, 0);
    EXPECT_EQ(Feedback(), (Strings{"rect 6,0 33,21 #000000 w1", "refresh 6,0 33,21"}));
}

TEST_F(Mouse, LinksPopupsAndAWrappedLink) {
    Paint("{L:Casa,la casa} y {P:ver,la nota}");
    Click(10, 5);
    Click(70, 11);
    EXPECT_EQ(TakeEvents(), (Strings{"Hypertext Casa", "Popup la nota"}));
    EXPECT_EQ(engine.PressedZone(), -1);
    EXPECT_TRUE(Feedback().empty());

    // 60 words: 47 fit on the first line, the rest go on the second.
    const std::string target = Repeat("w ", 60);
    Paint("\253" + target + "\273 fin");
    ASSERT_EQ(engine.HotZones().Count(), 2u);
    Click(300, 6);
    Click(20, 18);
    Click(200, 18);  // beyond the end of the link on the second line
    EXPECT_EQ(TakeEvents(), (Strings{"Hypertext " + target, "Hypertext " + target}));
}

TEST_F(Mouse, PictureMapAreasEndAtAGroupWithoutCommand) {
    Paint("{H:logo.bmp,0,0,9,9,uno,0,10,9,19,,10,0,19,9,tres}");
    ASSERT_EQ(engine.HotZones().Count(), 1u);
    Click(8, 2);
    Click(8, 12);
    Click(20, 2);
    EXPECT_EQ(TakeEvents(), Strings{"Exec uno"});
}

TEST_F(Mouse, SoundSymbols) {
    Paint("{S:sonido.wav}");
    EXPECT_EQ(engine.HotZones().Count(), 0u);  // no speaker pictures, no zone
    engine.InitImages(std::make_shared<FakePicture>("altavoz", 16, 16),
                      std::make_shared<FakePicture>("altavoz2", 16, 16));
    Paint("{S:sonido.wav}");
    engine.MouseMove(1, 17, 11);
    engine.MouseDown(1, 17, 11);
    EXPECT_EQ(Feedback(), (Strings{"picture altavoz2 6,0 12x12", "refresh 6,0 18,12"}));
    engine.MouseMove(1, 18, 11);
    engine.MouseMove(1, 10, 10);
    engine.MouseUp(1, 10, 10);
    EXPECT_EQ(Feedback(), (Strings{"picture altavoz 6,0 12x12", "refresh 6,0 18,12",
                                   "picture altavoz2 6,0 12x12", "refresh 6,0 18,12",
                                   "picture altavoz 6,0 12x12", "refresh 6,0 18,12"}));
    // The name resolves like a picture's, under BasePath.
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
    engine.MouseMove(1, 10, 10);
    engine.MouseDown(1, 10, 10);
    // Measuring empties the table and ends the press.
    engine.SizeText("{B:logo.bmp,abrir} {L:a,b}", 0, 0, 0, -1);
    EXPECT_EQ(engine.HotZones().Count(), 0u);
    EXPECT_EQ(engine.HoverZone(), -1);
    EXPECT_EQ(engine.PressedZone(), -1);
    engine.MouseUp(1, 10, 10);
    Click(10, 10);
    EXPECT_TRUE(TakeEvents().empty());

    // The 101st zone of a painting is dropped with an error; the others
    // still work.
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
    // A link handler that paints another text: the zones are those of the
    // new painting.
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
        engine.MouseMove(1, 10, 5);
        engine.MouseDown(1, 10, 5);
        engine.MouseUp(1, 10, 5);
        value = "x";
    };
    events.clear();
    engine.DrawText("{L:Casa,la casa}{@e}", 0, 0, 0, -1);
    EXPECT_TRUE(TakeEvents().empty());
    EXPECT_EQ(engine.HoverZone(), -1);
}

TEST(HotZoneTableTest, SilencedTablesDropZonesQuietly) {
    HotZoneTable zones;
    richtext::ErrorList errors;
    zones.Add({0, 0, 9, 9, ZoneKind::Hypertext, "a", {}, {}}, errors);
    zones.Silence();
    zones.Silence();
    zones.Add({0, 0, 9, 9, ZoneKind::Hypertext, "b", {}, {}}, errors);
    zones.Unsilence();
    EXPECT_TRUE(zones.Silenced());
    zones.Unsilence();
    zones.Add({0, 0, 9, 9, ZoneKind::Hypertext, "c", {}, {}}, errors);
    ASSERT_EQ(zones.Count(), 2u);
    EXPECT_EQ(zones.At(1).s1, "c");
    EXPECT_EQ(errors.Count(), 0u);
    EXPECT_EQ(zones.ZoneAt(5, 5), 1);
    EXPECT_EQ(zones.ZoneAt(9.5, 5), -1);
}

}  // namespace
}  // namespace cartulo
