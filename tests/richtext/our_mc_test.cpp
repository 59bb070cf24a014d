// The host binding: defaults, escapes, resources, events; pages printed through it.

#include <tuple>

#include "richtext/binding_resources.h"
#include "richtext/our_mc.h"
#include "richtext/page_printer.h"
#include "test_support.h"

namespace cartulo {
namespace {

using Strings = std::vector<std::string>;
using testing::CountingLoader;
using Pages = Strings;  // the runs printed on each page, joined

// Resources over a counting loader with a 40 x 32 px logo under /cards.
struct Resources {
    Resources() {
        auto owned = std::make_unique<CountingLoader>();
        loader = owned.get();
        loader->Add("/cards/logo.bmp", 40, 32);
        set = std::make_shared<BindingResources>();
        set->imageCache = std::make_shared<cImageCache>(std::move(owned));
        set->speaker = std::make_shared<FakePicture>("altavoz", 16, 16);
        set->speakerPressed = std::make_shared<FakePicture>("altavoz2", 16, 16);
        set->playSound = [this](const std::string& path) { sounds.push_back(path); };
        set->programFolder = "/programa";
    }
    CountingLoader* loader = nullptr;
    std::shared_ptr<BindingResources> set;
    Strings sounds;
};

// The runs printed on a surface, joined; then the log is cleared.
std::string TakeRuns(FakeSurface& surface) {
    std::string out;
    for (const std::string& line : surface.Log()) {
        if (!line.starts_with("print ")) continue;
        const std::size_t open = line.find('"');
        out += line.substr(open + 1, line.rfind('"') - open - 1);
    }
    surface.ClearLog();
    return out;
}

// The text printed by one painting, its runs joined.
std::string Printed(cOurMC& mc, FakeSurface& surface, const std::string& text) {
    surface.ClearLog();
    mc.DrawText(text, 0, 0, 0, -1);
    return TakeRuns(surface);
}

TEST(OurMC, DefaultsAndProperties) {
    Resources res;
    cOurMC mc(res.set);
    const auto properties = [&] {
        return std::tuple(mc.DefaultFont(), mc.DefaultSize(), mc.HT_Color(), mc.DefaultColor(),
                          mc.DefaultAlign(), mc.DefaultBorderWidth(), mc.BasePath());
    };
    EXPECT_EQ(properties(),
              std::tuple("Arial", 12, Rgb(0, 0, 255), Rgb(0, 0, 0), 3, 3, "/programa"));
    FakeSurface surface(600, 400, ScaleMode::Points);
    mc.SetCtrl(&surface);
    mc.SetBasePath("/cards");
    mc.SetDefaultAlign(1);
    mc.SetDefaultBorderWidth(5);
    mc.SetDefaultColor(Rgb(1, 2, 3));
    mc.SetDefaultFont("Tahoma");
    mc.SetDefaultSize(9);
    mc.SetHT_Color(Rgb(4, 5, 6));
    EXPECT_EQ(mc.Ctrl(), &surface);
    // The properties are the engine's own fields.
    EXPECT_EQ(properties(), std::tuple("Tahoma", 9, Rgb(4, 5, 6), Rgb(1, 2, 3), 1, 5, "/cards"));
    EXPECT_EQ(mc.DrawText("{N}abc def", 0, 0, 0, -1), 9);
    EXPECT_EQ(mc.SizeText("abc", 0, 0, 0, -1), 9);
}

TEST(OurMC, PictureControlsLendTheirFontAndColour) {
    cOurMC mc(nullptr);
    FakeSurface form(600, 400, ScaleMode::Points), picture(600, 400, ScaleMode::Points);
    for (FakeSurface* s : {&form, &picture}) {
        s->SetFontName("Tahoma");
        s->SetFontSize(10);
        s->SetForeColor(Rgb(255, 0, 0));
    }
    mc.SetCtrl(&form);  // a form or printer: the defaults stay
    EXPECT_EQ(mc.DefaultFont(), "Arial");
    mc.SetCtrl(&picture, cOurMC::Bind::PictureControl);
    EXPECT_EQ(std::tuple(mc.DefaultFont(), mc.DefaultSize(), mc.DefaultColor()),
              std::tuple("Tahoma", 10, Rgb(255, 0, 0)));
    picture.ClearLog();
    mc.DrawText("{F:Arial}{T:20}{Q:azul}a{F}{T}{Q}b", 0, 0, 0, -1);
    EXPECT_EQ(picture.Ink(), (Strings{"print 6,0 \"a\" Arial 20 #0000FF",
                                      "print 16,7.5 \"b\" Tahoma 10 #FF0000"}));
    // Unbinding keeps the defaults the control gave.
    mc.SetCtrl(nullptr, cOurMC::Bind::PictureControl);
    EXPECT_EQ(mc.DefaultFont(), "Tahoma");
}

TEST(OurMC, AnswersTheFourEscapesAndPassesOtherExpressionsOn) {
    cOurMC mc(nullptr);
    FakeSurface surface(600, 400, ScaleMode::Points);
    mc.SetCtrl(&surface);
    // No host handler: the escapes still work, the rest shows itself.
    EXPECT_EQ(Printed(mc, surface, "{@:la}x{@:lc}"), "{x}");
    EXPECT_EQ(Printed(mc, surface, "{@:ca}y{@:cc}"), "\253y\273");
    EXPECT_EQ(mc.pMC().ErrorCount(), 0);

    Strings asked;
    mc.Evaluate = [&](std::string& expression) {
        asked.push_back(expression);
        if (expression == "fecha") expression = "hoy";
    };
    EXPECT_EQ(Printed(mc, surface, "{@:la}{@fecha}{@:LA}{@ :la}"), "{hoy:LA :la");
    // Measured and painted: each reaches the host twice, the escapes never.
    EXPECT_EQ(asked, (Strings{"fecha", ":LA", " :la", "fecha", ":LA", " :la"}));
}

TEST(OurMC, MouseEventsReachTheHost) {
    Resources res;
    cOurMC mc(res.set);
    FakeSurface surface(600, 400, ScaleMode::Points);
    mc.SetCtrl(&surface);
    mc.SetBasePath("/cards");
    Strings events;
    mc.Hypertext = [&](const std::string& s) { events.push_back("Hypertext " + s); };
    mc.Exec = [&](const std::string& s) { events.push_back("Exec " + s); };
    mc.Popup = [&](const std::string& s) { events.push_back("Popup " + s); };
    // Zones: button (6,0)-(33,21), speaker (36,9)-(47,20), "a" (48,9)-(54,21), "b" after it.
    mc.DrawText("{B:logo.bmp,abrir}{S:toque.wav}{L:Casa,a}{P:b,nota}", 0, 0, 0, -1);
    const auto clicks = [&] {
        for (const float x : {10, 40, 50, 56}) {
            mc.MouseMove(1, x, 20);
            mc.MouseDown(1, x, 20);
            mc.MouseUp(1, x, 20);
        }
    };
    clicks();
    EXPECT_EQ(events, (Strings{"Exec abrir", "Hypertext Casa", "Popup nota"}));
    EXPECT_EQ(res.sounds, Strings{"/cards/toque.wav"});
    // Without host handlers the events go nowhere.
    mc.Hypertext = mc.Exec = mc.Popup = nullptr;
    clicks();
    EXPECT_EQ(events.size(), 3u);
}

TEST(OurMC, ObjectEventsPassTheirArgumentsThrough) {
    cOurMC mc(nullptr);
    FakeSurface surface(600, 400, ScaleMode::Points);
    std::string events;
    mc.ObjectSize = [&](auto& type, auto& parameters, auto& body, Surface& s, float& width,
                        float& height) {
        events += type + "|" + parameters + "|" + body + (&s == &surface ? ";" : "?");
        width *= 2;
        height = 7;
    };
    mc.ObjectPaint = [&](auto& type, auto& parameters, auto& body, Surface& s, float x, float y,
                         float width, float height) {
        events += type + "|" + parameters + "|" + body + (&s == &surface ? "|" : "?") +
                  std::to_string(x + y) + "|" + std::to_string(width * height);
    };
    // As the engine raises them.
    cZuzodIvodure& engine = mc.pMC();
    float width = 10, height = 20;
    engine.ObjectSize("grafico", "1,2", "cuerpo", surface, width, height);
    EXPECT_EQ(std::pair(width, height), std::pair(20.0f, 7.0f));
    engine.ObjectPaint("grafico", "1,2", "cuerpo", surface, 1, 2, 3, 4);
    EXPECT_EQ(events, "grafico|1,2|cuerpo;grafico|1,2|cuerpo|3.000000|12.000000");
    // With no host handler the size stays as preset.
    mc.ObjectSize = nullptr;
    engine.ObjectSize("grafico", "", "", surface, width, height);
    EXPECT_EQ(width, 20);
}

TEST(OurMC, BindingsShareTheResourcesTheyAreGivenOrTheProgramsSet) {
    Resources res;
    SetProgramResources(res.set);
    auto first = std::make_unique<cOurMC>();
    SetProgramResources(nullptr);
    cOurMC second(res.set);
    EXPECT_EQ(first->BasePath(), "/programa");
    FakeSurface a(600, 400, ScaleMode::Points), b(600, 400, ScaleMode::Points);
    first->SetCtrl(&a);
    second.SetCtrl(&b);
    first->SetBasePath("/cards");
    second.SetBasePath("/cards");
    first->DrawText("{G:logo.bmp}", 0, 0, 0, -1);
    second.DrawText("{G:logo.bmp}{S:x.wav}", 0, 0, 0, -1);
    EXPECT_EQ(res.loader->Loads("/cards/logo.bmp"), 1);
    EXPECT_EQ(a.Ink(), Strings{"picture logo.bmp 6,0 30x24"});
    EXPECT_EQ(b.Ink(), (Strings{"picture logo.bmp 6,0 30x24", "picture altavoz 36,9 12x12"}));
    // A binding keeps the cache alive after everyone else let go of it.
    const std::weak_ptr<cImageCache> cache = res.set->imageCache;
    res.set.reset();
    first.reset();
    EXPECT_FALSE(cache.expired());
    second.DrawText("{G:logo.bmp}", 0, 0, 0, -1);
    EXPECT_EQ(res.loader->Loads("/cards/logo.bmp"), 1);
    // None installed: no pictures, no speaker, the engine's folder.
    cOurMC bare;
    EXPECT_EQ(bare.BasePath(), "");
    a.ClearLog();
    bare.SetCtrl(&a);
    bare.DrawText("{G:logo.bmp}{S:x.wav}", 0, 0, 0, -1);
    EXPECT_TRUE(a.Ink().empty());
    EXPECT_EQ(bare.pMC().HotZones().Count(), 0u);
}

// Card text printed page after page on a fake 600 x 400 pt printer page:
// 12 pt lines, and the bottom at 399 pt, so 33 lines a page.

// The printout of `text`, the job stopping after `allowed` pages.
Pages PrintPages(const std::string& text, std::size_t allowed = 100) {
    FakeSurface page(600, 400, ScaleMode::Points, true);
    cOurMC mc(nullptr);
    mc.SetCtrl(&page);
    Pages pages;
    const auto endPage = [&] {
        pages.push_back(TakeRuns(page));
        return pages.size() < allowed;
    };
    const int count = PagePrinter(mc, endPage).Print(text);
    if (pages.size() < allowed) endPage();  // the last page, when the job was not stopped
    EXPECT_EQ(count, static_cast<int>(pages.size()));
    return pages;
}

std::string Lines(int from, int to, const std::string& separator = "") {
    std::string out;
    for (int i = from; i < to; ++i) out += (i > from ? separator : "") + ("l" + std::to_string(i));
    return out;
}

TEST(PagePrinter, EachPageGoesOnWhereTheLastStoppedAndEveryPageTakesSomething) {
    const std::string longCard = "{MU:0}{N}" + Lines(0, 100, "\r\n");
    const std::pair<Pages, Pages> cases[] = {
        {PrintPages(longCard), {Lines(0, 33), Lines(33, 66), Lines(66, 99), "l99"}},
        {PrintPages(longCard, 2), {Lines(0, 33), Lines(33, 66)}},  // the job stopped
        {PrintPages(""), {""}},
        // A first line taller than the page is printed cut off, alone.
        {PrintPages("{VS:1000}x\r\nabc"), {"x", "abc"}},
        {PrintPages("a\r\n{VS:1000}x\r\nabc"), {"a", "x", "abc"}},
        {PrintPages("{VD:2000}x\r\nabc"), {"x", "abc"}},
        // A table taller than the page, after carried style tags: cut.
        {PrintPages("{N}a\r\n{TB:1,60}" + Lines(0, 60, "{-}") + "{\\}b"), {"a", Lines(0, 20), "b"}},
    };
    for (const auto& [printed, expected] : cases) EXPECT_EQ(printed, expected);
}

}  // namespace
}  // namespace cartulo
