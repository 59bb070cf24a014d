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
    using testing::StateOf;
    const cZuzodIvodure defaults;
    FakeSurface narrow{450, 400, ScaleMode::Points}, other{600, 400, ScaleMode::Points},
        otherNarrow{450, 400, ScaleMode::Points}, below{600, 400, ScaleMode::Points};
    for (unsigned seed = 1; seed <= 8; ++seed) {
        RandomCard random(seed);
        std::string text = random.Text(400);
        // Scrolled down and painting only what shows, call after call.
        auto scroller = Scratch(below);
        scroller->PaintOnlyVisible = true;
        for (int edit = 0; edit < 40; ++edit) {
            SCOPED_TRACE(::testing::Message() << "seed " << seed << ", edit " << edit);
            random.Edit(text);
            // Every six edits another context: the memory must forget.
            const int context = edit / 6;
            FakeSurface& keptOn = context % 2 ? narrow : surface;
            FakeSurface& freshOn = context % 2 ? otherNarrow : other;
            const auto setUp = [&](cZuzodIvodure& e) {
                e.DefaultFont = context % 3 == 1 ? "Arial" : defaults.DefaultFont;
                e.DefaultSize = context % 4 == 2 ? 14 : defaults.DefaultSize;
                e.DefaultColor = context % 5 == 3 ? 255 : defaults.DefaultColor;
                e.DefaultAlign = context % 3 == 2 ? 1 : defaults.DefaultAlign;
            };
            engine.Ctrl = &keptOn;
            setUp(engine);
            // Now and then a bottom limit, a y of -1, other edges.
            const float bottom = edit % 4 == 1 ? 250 : -1;
            const float y = edit % 5 == 2 ? -1 : 7;
            const float left = edit % 7 == 3 ? 12 : 0;
            below.ClearLog();
            other.ClearLog();
            const CallOutcome scrolledDown(*scroller, scroller->DrawText(text, -600, 0, 0, -1));
            auto fresh = Scratch(other);
            fresh->PaintOnlyVisible = true;
            EXPECT_EQ(scrolledDown, CallOutcome(*fresh, fresh->DrawText(text, -600, 0, 0, -1)));
            EXPECT_EQ(scroller->PaintedBottom(), fresh->PaintedBottom());
            EXPECT_EQ(below.Log(), other.Log());
            // Both engines, from the same pen: same results, drawing and surface state.
            const auto same = [&](auto call) {
                auto fresh = Scratch(freshOn);
                setUp(*fresh);
                for (FakeSurface* on : {&keptOn, &freshOn}) {
                    on->SetCurrentX(0);
                    on->SetCurrentY(0);
                    on->ClearLog();
                }
                const CallOutcome kept(engine, call(engine));
                EXPECT_EQ(kept, CallOutcome(*fresh, call(*fresh)));
                EXPECT_EQ(StateOf(keptOn), StateOf(freshOn));
                EXPECT_EQ(keptOn.Log(), freshOn.Log());
                return kept;
            };
            same([&](cZuzodIvodure& e) { return e.SizeText(text, y, left, 0, bottom); });
            same([&](cZuzodIvodure& e) { return e.DrawText(text, y, left, 0, bottom); });
            // Scrolled, painting what shows: a full painting's errors, its zones on painted lines.
            const CallOutcome scrolled = same([&](cZuzodIvodure& e) {
                e.PaintOnlyVisible = true;
                const float end = e.DrawText(text, -250, left, 0, -1);
                e.PaintOnlyVisible = false;
                return end;
            });
            auto full = Scratch(freshOn);
            setUp(*full);
            const CallOutcome whole(*full, full->DrawText(text, -250, left, 0, -1));
            EXPECT_EQ(scrolled.errors, whole.errors);
            std::size_t found = 0;
            for (const auto& zone : whole.zones)
                if (found < scrolled.zones.size() && zone == scrolled.zones[found]) ++found;
            EXPECT_EQ(found, scrolled.zones.size());
        }
    }
}

// Lines wholly off the surface are laid out but not painted, the first
// time and when their layout is remembered; their zones still count toward
// the limit, so the zones and errors of the lines shown stay the same.
TEST_F(RememberedLayout, PaintsOnlyTheLinesThatShow) {
    std::string text;
    for (int i = 0; i < 60; ++i) {
        text += i % 3 ? "uno dos tres cuatro\r\n"
                      : "\273{N}uno{N} dos \253tres\273 {Q:rojo}cuatro {L:Otra,ver} \253cinco\r\n";
    }
    FakeSurface all{600, 400, ScaleMode::Points};
    auto whole = Scratch(all);
    const float y = -700;
    const float end = whole->DrawText(text, y, 0, 0, -1);
    std::vector<std::string> shown;
    for (const std::string& print : all.Log()) {
        const double at = std::stod(print.substr(print.find(',') + 1));
        if (print.starts_with("print ") && at > -24 && at < 424) shown.push_back(print);
    }
    testing::CallOutcome shownZones(*whole, end);
    std::erase_if(shownZones.zones,
                  [](const auto& z) { return !(get<1>(z) > -24 && get<1>(z) < 424); });
    ASSERT_FALSE(shownZones.zones.empty());
    ASSERT_EQ(whole->HotZones().Count(), richtext::HotZoneTable::kMaxZones);
    engine.PaintOnlyVisible = true;
    for (int call = 0; call < 2; ++call) {
        surface.ClearLog();
        EXPECT_EQ(engine.DrawText(text, y, 0, 0, -1), end);
        EXPECT_EQ(engine.PaintedBottom(), whole->PaintedBottom());
        EXPECT_EQ(engine.GetTextPointer(), whole->GetTextPointer());
        EXPECT_EQ(Prints(), shown);
        EXPECT_EQ(testing::CallOutcome(engine, end), shownZones);
    }
}

}  // namespace
}  // namespace cartulo
