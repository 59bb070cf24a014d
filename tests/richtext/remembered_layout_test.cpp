#include <memory>
#include <string>
#include <vector>

#include "random_card.h"
#include "test_support.h"

namespace cartulo {
namespace {

using testing::CallOutcome;
using testing::RandomCard;

class RememberedLayout : public testing::EngineTest {
  protected:
    RememberedLayout() { UsePictures().Add("/cards/logo.png", 30, 20); }

    std::unique_ptr<cZuzodIvodure> Scratch(Surface& on) {
        auto fresh = std::make_unique<cZuzodIvodure>();
        fresh->Ctrl = &on;
        fresh->ImageCache = cache.get();
        fresh->BasePath = engine.BasePath;
        return fresh;
    }
};

TEST_F(RememberedLayout, MatchesALayoutFromScratchAfterEveryEdit) {
    FakeSurface other{600, 400, ScaleMode::Points}, below{600, 400, ScaleMode::Points};
    for (unsigned seed = 1; seed <= 8; ++seed) {
        RandomCard random(seed);
        std::string text = random.Text(400);
        // Scrolled down and painting only what shows, call after call.
        auto scroller = Scratch(below);
        scroller->PaintOnlyVisible = true;
        for (int edit = 0; edit < 40; ++edit) {
            SCOPED_TRACE(::testing::Message() << "seed " << seed << ", edit " << edit);
            random.Edit(text);
            // Now and then a bottom limit, a y of -1, other edges.
            const float bottom = edit % 4 == 1 ? 250 : -1;
            const float y = edit % 5 == 2 ? -1 : 7;
            const float left = edit % 7 == 3 ? 12 : 0;
            const CallOutcome measured(engine, engine.SizeText(text, y, left, 0, bottom));
            auto fresh = Scratch(other);
            EXPECT_EQ(measured, CallOutcome(*fresh, fresh->SizeText(text, y, left, 0, bottom)));
            surface.ClearLog();
            other.ClearLog();
            const CallOutcome painted(engine, engine.DrawText(text, y, left, 0, bottom));
            fresh = Scratch(other);
            EXPECT_EQ(painted, CallOutcome(*fresh, fresh->DrawText(text, y, left, 0, bottom)));
            EXPECT_EQ(surface.Log(), other.Log());
            below.ClearLog();
            other.ClearLog();
            const CallOutcome scrolled(*scroller, scroller->DrawText(text, -600, 0, 0, -1));
            fresh = Scratch(other);
            fresh->PaintOnlyVisible = true;
            EXPECT_EQ(scrolled, CallOutcome(*fresh, fresh->DrawText(text, -600, 0, 0, -1)));
            EXPECT_EQ(scroller->PaintedBottom(), fresh->PaintedBottom());
            EXPECT_EQ(below.Log(), other.Log());
        }
    }
}

// Lines wholly off the surface are laid out but not painted, the first
// time and when their layout is remembered.
TEST_F(RememberedLayout, PaintsOnlyTheLinesThatShow) {
    std::string text;
    for (int i = 0; i < 60; ++i) {
        text += i % 3 ? "uno dos tres cuatro\r\n" : "{N}uno{N} dos \xABtres\xBB {Q:rojo}cuatro\r\n";
    }
    FakeSurface all{600, 400, ScaleMode::Points};
    auto whole = Scratch(all);
    const float y = -900;
    const float end = whole->DrawText(text, y, 0, 0, -1);
    std::vector<std::string> shown;
    for (const std::string& print : all.Log()) {
        const double at = std::stod(print.substr(print.find(',') + 1));
        if (print.starts_with("print ") && at > -24 && at < 424) shown.push_back(print);
    }
    engine.PaintOnlyVisible = true;
    for (int call = 0; call < 2; ++call) {
        surface.ClearLog();
        EXPECT_EQ(engine.DrawText(text, y, 0, 0, -1), end);
        EXPECT_EQ(engine.PaintedBottom(), whole->PaintedBottom());
        EXPECT_EQ(engine.GetTextPointer(), whole->GetTextPointer());
        EXPECT_EQ(Prints(), shown);
        EXPECT_LT(engine.HotZones().Count(), whole->HotZones().Count());
    }
}

}  // namespace
}  // namespace cartulo
