// Texts written to break the engine: each lays out and paints with finite results.

#include <cmath>
#include <limits>

#include "test_support.h"

namespace cartulo {
namespace {

using testing::EngineTest;
using testing::Repeat;

class Hostile : public EngineTest {
  protected:
    Hostile() { UsePictures().Add("/cards/p.bmp", 1, 1); }

    void Survives(const std::string& text) {
        const float sized = engine.SizeText(text, 0, 0, 0, -1);
        const float drawn = engine.DrawText(text, 0, 0, 0, -1);
        EXPECT_TRUE(std::isfinite(sized));
        EXPECT_TRUE(std::isfinite(drawn));
        EXPECT_LE(engine.ErrorCount(), 100);
        EXPECT_LE(engine.HotZones().Count(), 100u);
        surface.ClearLog();
    }
};

// A name, and its text: a piece repeated, then a tail repeated.
struct HostileCase {
    const char* name;
    std::string piece;
    int times = 1;
    std::string tail = {};
    int tailTimes = 0;
};

// A test per text, so that they run side by side and a slow one is named.
class HostileText : public Hostile, public ::testing::WithParamInterface<HostileCase> {};

TEST_P(HostileText, LaysOutAndPaints) {
    Survives(Repeat(GetParam().piece, GetParam().times) +
             Repeat(GetParam().tail, GetParam().tailTimes));
}

std::string AllBytes() {
    std::string all;
    for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
    return all;
}

// clang-format off
const HostileCase kHostileTexts[] = {
    {"open_braces", "{", 100000}, {"open_braces_with_blanks", "{ ", 100000},
    {"close_braces", "}", 100000}, {"unbalanced", "{a{b}}c}{", 20000},
    {"nested_style_tags", "{N}", 100000}, {"style_tags_with_blanks", "{N} ", 50000},
    {"open_comments", "{* ", 50000}, {"comment_ends", "*}", 50000},
    {"open_frames", "{FR:1,1,1,1}", 100000}, {"nested_frames", "{FR:1}", 20000, "{/FR}", 20000},
    {"frames_against_objects", "{FR:1}{/O}", 20000},
    {"frames_against_objects_then_frame_ends", "{FR:1}{/O}", 8000, "{/FR}", 4000},
    {"frames_cut_away_by_objects", "{O:1,1,t}{FR:1}{/O}", 6000, "{/FR}", 4000},
    {"tangled_blocks", "{FR:1}{O:1,1,t}{FR:2}{/O}", 10000}, {"open_objects", "{O:1,1,t}", 100000},
    {"many_formulas", "{FO:@frc[a,@exp[b]]}{FO:@x} ", 20000},
    {"many_drawings", "{O:1e9,-9,DRAWSCRIPT}1e38 0 box fill{/O} ", 5000},
    {"object_ends", "{/O}", 50000}, {"tables", "{TB:2,2}", 50000}, {"table_ends", "{\\}", 50000},
    {"cells", "{TB:20,20}" + Repeat("a{!}", 30) + "{-}", 2000, "{\\}", 1},
    {"table_sizes", "{TB:-1e308,1e308,negro,1e308}a{\\}{TB:nan,inf,3d,-1e308}b{\\}"
                    "{TB:1e9,-0,16,99999999999}c{\\}{TB:1,1,#zzzzzz,-1}d{\\}"},
    {"wide_borders", "{TB:20,20,3d,2000000000}" + Repeat(Repeat("a{!}", 20) + "{-}", 20) + "{\\}", 10},
    {"open_quotes", "\253", 100000}, {"close_quotes", "\273", 100000},
    {"quotes_and_blanks", "\253 \273 ", 50000}, {"quotes_and_comments", "\253{*", 20000},
    {"a_long_word", "x", 99999}, {"a_long_word_of_tags", "a{N}", 25000}, {"blanks", " ", 99999},
    {"paragraphs", "\r\n", 50000}, {"lone_CRs_and_LFs", "\r\r\n\n", 25000},
    {"huge_size", "{T:1e308}a {T:1e400}b {T:-5}c {T:0}d {T:nan}e {T:inf}f"},
    {"huge_margins", "{MI:-99999}{MP:1e308}{MD:1e308}{MU:1e308}a b c\r\nd"},
    {"negative_margins", "{MI:-1e308}{MP:-1e308}{MD:-1e308}{MU:-1e308}", 1, "ab ", 3000},
    {"huge_spaces", "{HD:1e308}{SP:-1e308}{VS:1e308}{VD:1e308}{TA:1e308}a b"},
    {"huge_alignment", "{J:1e308}{J:-1e308}{J:nan}a b c"}, {"huge_strut", "{VS:99999999} x ", 1000},
    {"many_expressions", "{@x}", 20000}, {"many_links", "{L:a,b} {P:c,d} ", 5000},
    {"many_pictures", "{G:p.bmp}{B:p.bmp,c}{S:s}", 5000},
    {"many_picture_maps", "{H:p.bmp" + Repeat(",0,0,1,1,c", 200) + "} ", 50},
    {"tiny_tiles", "{W:p.bmp,0}", 5},
    {"long_colours", "{Q:" + std::string(5000, '9') + "}{W:#" + std::string(5000, 'f') + ",0}", 20},
    {"backgrounds", "{W:rojo}", 1000}, {"symbols", "{SY:abc}{ID:x}{IU:y}", 10000},
    {"bad_tags", "{XY:1}", 50000}, {"all_bytes", AllBytes(), 100},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Texts, HostileText, ::testing::ValuesIn(kHostileTexts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Hostile, TinyAndZeroFonts) {
    engine.DefaultSize = 0;
    Survives("a b c");
    engine.DefaultSize = 1e-30f;
    Survives("a b c {ID:x}{IU:y}" + Repeat("w ", 2000));
    engine.DefaultSize = 12;
    engine.DefaultFont = "";
    Survives("a b c");
    engine.DefaultFont = std::string(1000, 'F');
    Survives("{F:" + std::string(1000, 'G') + "}a b c");
}

// A surface that answers nothing useful: every width and height 0.
class ZeroSurface : public FakeSurface {
  public:
    using FakeSurface::FakeSurface;
    double TextWidth(std::string_view) const override { return 0; }
    double TextHeight(std::string_view) const override { return 0; }
    TextMetrics GetTextMetrics() const override { return {}; }
};

// And one that answers nonsense.
class NanSurface : public FakeSurface {
  public:
    using FakeSurface::FakeSurface;
    double TextWidth(std::string_view) const override {
        return std::numeric_limits<double>::quiet_NaN();
    }
    double TextHeight(std::string_view) const override {
        return std::numeric_limits<double>::infinity();
    }
    double ScaleWidth() const override { return std::numeric_limits<double>::quiet_NaN(); }
};

TEST_F(Hostile, SurfacesThatMeasureNothing) {
    ZeroSurface zero(600, 400, ScaleMode::Points);
    engine.Ctrl = &zero;
    const std::string text = "{J:3}" + Repeat("a b{U} ", 2000) + "\r\n{J:2}x y\r\n{W:p.bmp,0}";
    EXPECT_EQ(engine.SizeText(text, 0, 0, 0, -1), 12);  // two paragraph spacings alone
    engine.DrawText(text, 0, 0, 0, -1);
    NanSurface nan(600, 400, ScaleMode::Points);
    engine.Ctrl = &nan;
    engine.SizeText(text, 0, 0, 0, -1);
    engine.DrawText(text, 0, 0, 0, 300);
    SUCCEED();
}

}  // namespace
}  // namespace cartulo
