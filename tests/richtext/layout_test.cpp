// Layout on the fake surface: 600 x 400 pt in points, 6 pt characters and
// 12 pt lines at the default size; margins MP 6, MI 10, MD 30, MU 6.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "richtext/error_list.h"
#include "test_support.h"

namespace cartulo {
namespace {

using namespace testing;
using richtext::ErrorList;
using Strings = std::vector<std::string>;

// The x and y of every printed text, with the text: "x,y text".
Strings Placed(const Strings& prints) {
    Strings out;
    for (const std::string& line : prints) {
        const std::size_t quote = line.find('"');
        const std::size_t end = line.find('"', quote + 1);
        out.push_back(line.substr(6, quote - 7) + " " + line.substr(quote + 1, end - quote - 1));
    }
    return out;
}

class Layout : public EngineTest {
  protected:
    // What one painting from the top placed.
    Strings Placing(const std::string& text, float left = 0, float right = 0) {
        surface.ClearLog();
        engine.DrawText(text, 0, left, right, -1);
        return Placed(Prints());
    }
};

TEST_F(Layout, EmptyTextAndOneLine) {
    cZuzodIvodure bare;  // no surface, no layout
    EXPECT_EQ(bare.DrawText("Hola", 3, 0, 0, -1), 3);
    EXPECT_EQ(bare.SizeText("Hola", 3, 0, 0, -1), 0);
    EXPECT_EQ(engine.DrawText("", 5, 0, 0, -1), 5);
    EXPECT_EQ(engine.DrawText("", -1, 0, 0, -1), 0);
    EXPECT_EQ(engine.SizeText("", 5, 0, 0, -1), 0);
    EXPECT_EQ(engine.SizeText("", -1, 0, 0, -1), 1);  // the height plus 1
    EXPECT_TRUE(surface.Ink().empty());
    EXPECT_EQ(engine.GetTextPointer(), 1);
    EXPECT_EQ(engine.DrawText("Hola mundo", 0, 0, 0, -1), 12);
    EXPECT_EQ(Placed(Prints()), (Strings{"6,0 Hola ", "36,0 mundo"}));
    EXPECT_EQ(engine.GetTextPointer(), 11);
    EXPECT_EQ(engine.DrawText("Hola", 100, 0, 0, -1), 112);
    EXPECT_EQ(engine.SizeText("Hola", 100, 0, 0, -1), 12);
    EXPECT_EQ(engine.SizeText("Hola", -1, 0, 0, -1), 13);
}

TEST_F(Layout, LinesBreakBetweenTokens) {
    // 564 pt are free on a paragraph's first line: 94 characters. A token
    // that exactly fills the line stays.
    const std::string fits = std::string(46, 'a') + " " + std::string(47, 'b');
    EXPECT_EQ(engine.SizeText(fits, 0, 0, 0, -1), 12);
    EXPECT_EQ(engine.SizeText(fits + "b", 0, 0, 0, -1), 24);
    // A word wider than the line stands alone and overflows.
    const std::string word(200, 'x');
    EXPECT_EQ(engine.DrawText(word + " a", 0, 0, 0, -1), 24);
    EXPECT_EQ(Placed(Prints()), (Strings{"6,0 " + word, "10,12 a"}));
    // 30 pt words: 18 fit in 564 pt and in 560 pt.
    const Strings placed = Placing("{J:0}" + Repeat("abcd ", 40));
    ASSERT_EQ(placed.size(), 40u);
    EXPECT_EQ(placed[0], "6,0 abcd ");
    EXPECT_EQ(placed[17], "516,0 abcd");  // the last of its line
    EXPECT_EQ(placed[18], "10,12 abcd ");
    EXPECT_EQ(placed[36], "10,24 abcd ");
    EXPECT_EQ(placed[39], "100,24 abcd");  // the last word's blank is not printed
}

TEST_F(Layout, Alignment) {
    EXPECT_EQ(Placing("{J:0}ab cd"), (Strings{"6,0 ab ", "24,0 cd"}));
    // The blanks after the last word count for nothing: it ends at the
    // right margin, 600 - 30.
    EXPECT_EQ(Placing("{J:1}ab cd  "), (Strings{"540,0 ab ", "558,0 cd"}));
    // Centred: a first line at (MP + MI + free) / 2, others at MI + free / 2.
    EXPECT_EQ(Placing("{J:2}ab cd"), (Strings{"275,0 ab ", "293,0 cd"}));
    EXPECT_EQ(Placing("{J:2}" + std::string(100, 'x') + " ab").back(), "284,12 ab");
    // A justified line with one token is not stretched.
    EXPECT_EQ(
        Placing(std::string(100, 'x') + " " + std::string(100, 'y') + " z"),
        (Strings{"6,0 " + std::string(100, 'x'), "10,12 " + std::string(100, 'y'), "10,24 z"}));
    const Strings placed = Placing(Repeat("abcd ", 19));
    // 18 words on the first line, 30 pt free over 17 gaps; each gap gets
    // one blank printed into it.
    ASSERT_EQ(placed.size(), 18u + 17u + 1u);
    EXPECT_EQ(placed[0], "6,0 abcd ");
    EXPECT_EQ(placed[1], "36,0  ");
    EXPECT_EQ(placed[2], "37.765,0 abcd ");
    EXPECT_EQ(placed[34], "546,0 abcd");  // ends at the right margin
    // The paragraph's last line is set flush left.
    EXPECT_EQ(placed[35], "10,12 abcd");
    engine.DefaultAlign = 1;
    EXPECT_EQ(Placing("ab"), (Strings{"558,0 ab"}));
    EXPECT_EQ(Placing("{J:0}a\r\n{J}b"), (Strings{"6,0 a", "564,18 b"}));
    // {J:7} is out of range: no change.
    EXPECT_EQ(Placing("{J:7}a"), (Strings{"564,0 a"}));
}

TEST_F(Layout, EdgesAndMargins) {
    const std::string text = "{J:0}" + Repeat("abcd ", 30);
    Strings placed = Placing(text, 100, 50);
    // MP 106, MI 110, MD 80: 414 pt on the first line (13 words), 410 after.
    EXPECT_EQ(placed[0], "106,0 abcd ");
    EXPECT_EQ(placed[13], "110,12 abcd ");
    placed = Placing("{MI:20}{MP:0}{MD:50}" + text);
    // The margins change the line they stand in: MP 0, MI 20, MD 50 give
    // 550 pt (18 words) on the first line.
    EXPECT_EQ(placed[0], "0,0 abcd ");
    EXPECT_EQ(placed[18], "20,12 abcd ");
}

TEST_F(Layout, Heights) {
    // Paragraphs: two lines and 6 pt; MU sets the spacing; an empty one
    // takes the current font's height. {VS:} is 30 above, 10 below; tags
    // alone take no room. Subscript: a quarter of the line height above and
    // below. Superscript: the current font's ascent above, nothing below;
    // beside a strut of 6 above and 2 below it raises only the ascent.
    // ("/" stands for a paragraph end.)
    const std::pair<std::string, float> cases[] = {
        {"a/b", 30},          {"a/", 18},         {"a//b", 48},       {"/", 18},
        {"{MU:0}a/b", 24},    {"{MU:20}a/b", 44}, {"{T:20}a//b", 72}, {"{VS:40}", 40},
        {"a{VS:40}", 40},     {"a{VS:4}", 12},    {"{T:24}a", 24},    {"a{ID:b}", 12},
        {"{N}", 0},           {"{ID:b}", 6},      {"{IU:b}", 9},      {"{T:24}{IU:b}", 18},
        {"{VS:8}{IU:b}", 11},
    };
    for (auto [text, height] : cases) {
        for (std::size_t at; (at = text.find('/')) != std::string::npos;)
            text.replace(at, 1, "\r\n");
        EXPECT_EQ(engine.SizeText(text, 0, 0, 0, -1), height) << text;
    }
}

// The Symbol font is twice as tall as the others here, with 5/8 of its
// height above the baseline: 24 pt lines at 12 pt, 15 above and 9 below.
class TallSymbolSurface : public FakeSurface {
  public:
    using FakeSurface::FakeSurface;
    double TextHeight(std::string_view text) const override {
        return FakeSurface::TextHeight(text) * (symbol() ? 2 : 1);
    }
    TextMetrics GetTextMetrics() const override {
        TextMetrics metrics = FakeSurface::GetTextMetrics();
        if (symbol()) {
            metrics.height *= 2;
            metrics.ascent = metrics.height * 5 / 8;
            metrics.descent = metrics.height * 3 / 8;
        }
        return metrics;
    }

  private:
    bool symbol() const { return Font().name == "Symbol"; }
};

TEST_F(Layout, RoomOfSymbolsIsThatOfTheSymbolFont) {
    TallSymbolSurface tall(600, 400, ScaleMode::Points);
    engine.Ctrl = &tall;
    EXPECT_EQ(engine.SizeText("{SY:abg}", 0, 0, 0, -1), 24);
    // Beside text of the current font: the Symbol font's 15 above (not the
    // current 9) and its 9 below.
    EXPECT_EQ(engine.SizeText("x{SY:a}", 0, 0, 0, -1), 24);
    EXPECT_EQ(engine.SizeText("{T:20}{SY:a}", 0, 0, 0, -1), 40);
    EXPECT_EQ(engine.DrawText("x{SY:a}", 0, 0, 0, -1), 24);
    EXPECT_EQ(Placed(tall.Ink()), (Strings{"6,6 x", "12,0 a"}));
    // The font is back as it was after the tag.
    EXPECT_EQ(tall.Font().name, "Times New Roman");
}

TEST_F(Layout, BottomCheckAndContinuation) {
    std::string text = "{MU:0}l0";
    for (int i = 1; i < 10; ++i) text += "\r\nl" + std::to_string(i);
    // A line that ends exactly at the bottom is painted.
    EXPECT_EQ(engine.DrawText(text, 0, 0, 0, 60), 60);
    EXPECT_EQ(Placed(Prints()).back(), "6,48 l4");
    const std::size_t next = text.find("l5") + 1;
    EXPECT_EQ(engine.GetTextPointer(), static_cast<std::int32_t>(next));
    const std::string rest = engine.CutAt(engine.GetText(), engine.GetTextPointer());
    EXPECT_EQ(rest, "{MU:0}" + text.substr(next - 1));
    surface.ClearLog();
    EXPECT_EQ(engine.DrawText(rest, 0, 0, 0, -1), 60);
    EXPECT_EQ(Placed(Prints()).front(), "6,0 l5");

    // SizeText stops at the same place and reports where.
    EXPECT_EQ(engine.SizeText(text, 0, 0, 0, 60), 60);
    EXPECT_EQ(engine.GetTextPointer(), static_cast<std::int32_t>(next));
    // Measuring to the end leaves it at the start of the last line.
    EXPECT_EQ(engine.SizeText(text, 0, 0, 0, -1), 120);
    EXPECT_EQ(engine.GetTextPointer(), static_cast<std::int32_t>(text.find("l9") + 1));
}

TEST_F(Layout, AfterSizeTextThePointerIsTheStartOfTheLastLineExamined) {
    EXPECT_EQ(engine.SizeText("ab cd\r\nef gh", 0, 0, 0, -1), 30);
    EXPECT_EQ(engine.GetTextPointer(), 8);
    // A wrapped paragraph: its last line.
    const std::string wrapped = "{J:0}" + Repeat("abcd ", 20);  // 18 words, then 2
    EXPECT_EQ(engine.SizeText(wrapped, 0, 0, 0, -1), 24);
    EXPECT_EQ(engine.GetTextPointer(), static_cast<std::int32_t>(5 + 18 * 5 + 1));
    // A text that ends with CR LF: the line before it.
    engine.SizeText("a\r\nb\r\n", 0, 0, 0, -1);
    EXPECT_EQ(engine.GetTextPointer(), 4);
    engine.SizeText("", 0, 0, 0, -1);
    EXPECT_EQ(engine.GetTextPointer(), 1);
    // DrawText keeps to one past the end when all was painted.
    engine.DrawText("ab cd\r\nef gh", 0, 0, 0, -1);
    EXPECT_EQ(engine.GetTextPointer(), 13);
}

TEST_F(Layout, MovingDownCountsInTheBottomCheckWhenPainting) {
    const std::string text = "{MU:0}a{VD:40}\r\nb\r\nc\r\nd\r\ne";
    // The first line is moved down to 40..52; the second would end at 64.
    EXPECT_EQ(engine.DrawText(text, 0, 0, 0, 60), 52);
    EXPECT_EQ(Placed(Prints()), (Strings{"6,0 a"}));
    EXPECT_EQ(engine.GetTextPointer(), static_cast<std::int32_t>(text.find('b') + 1));
    // Measuring knows nothing of {VD:}: every line fits.
    EXPECT_EQ(engine.SizeText(text, 0, 0, 0, 60), 60);
    EXPECT_EQ(engine.GetTextPointer(), static_cast<std::int32_t>(text.find('e') + 1));

    // A line that would be moved past the limit by its own {VD:} is not
    // painted, whether ink follows the {VD:} or not; ink above a {VD:} that
    // moves back up counts where it is painted.
    // clang-format off
    const std::tuple<std::string, float, float, Strings, char> cases[] = {
        {"{MU:0}x\r\na {VD:40}b\r\nc", 60, 12, {"6,0 x"}, 'a'},
        {"{MU:0}x\r\na{VD:40}\r\nc", 60, 12, {"6,0 x"}, 'a'},
        {"{MU:0}x\r\na{VD:40}b{VD:-40}\r\nc", 60, 12, {"6,0 x"}, 'a'},
        {"{MU:0}x\r\na{VD:40}b{VD:-40}\r\nc", 64, 36, {"6,0 x", "6,12 a", "12,52 b", "6,24 c"}, 0},
    };
    // clang-format on
    for (const auto& [inner, bottom, y, placed, next] : cases) {
        SCOPED_TRACE(inner);
        surface.ClearLog();
        EXPECT_EQ(engine.DrawText(inner, 0, 0, 0, bottom), y);
        EXPECT_EQ(Placed(Prints()), placed);
        const std::size_t stop = next ? inner.find(next) + 1 : inner.size() + 1;
        EXPECT_EQ(engine.GetTextPointer(), static_cast<std::int32_t>(stop));
    }
}

TEST_F(Layout, MovingDownCountsInTheYReturnedAndAtTheSurfacesBottom) {
    // Without a bottom nothing stops, and the Y returned is moved too.
    EXPECT_EQ(engine.DrawText("a {VD:10}b\r\nc", 0, 0, 0, -1), 40);
    EXPECT_EQ(engine.SizeText("a {VD:10}b\r\nc", 0, 0, 0, -1), 30);
    // A bottom beyond the 400 pt surface: painting stops at the first line
    // that, moved, ends below it.
    const std::string text = "{MU:0}{VD:380}a\r\nb\r\nc";
    surface.ClearLog();
    EXPECT_EQ(engine.DrawText(text, 0, 0, 0, 1000), 404);
    EXPECT_EQ(Placed(Prints()), (Strings{"6,380 a", "6,392 b"}));
    EXPECT_EQ(engine.GetTextPointer(), static_cast<std::int32_t>(text.find('c') + 1));
}

TEST_F(Layout, NegativeBottomCountsFromTheSurfacesBottomOrThePagesEdge) {
    const std::string text = "{MU:0}" + Repeat("l\r\n", 40);
    // On a screen, -1 never stops; painting stops below the surface only
    // when a bottom is given.
    EXPECT_EQ(engine.DrawText(text, 0, 0, 0, -1), 480);
    EXPECT_EQ(engine.DrawText(text, 0, 0, 0, -2), 396);    // 398 is the limit
    EXPECT_EQ(engine.DrawText(text, 0, 0, 0, 1000), 408);  // the first Y below 400
    EXPECT_EQ(engine.SizeText(text, 0, 0, 0, 1000), 480);  // measuring goes on
    // On a printer -1 stops above the page's edge.
    FakeSurface printer(600, 400, ScaleMode::Points, true);
    engine.Ctrl = &printer;
    EXPECT_EQ(engine.DrawText(text, 0, 0, 0, -1), 396);  // 408 > 399
}

TEST_F(Layout, SizeTextIsTheHeightDrawTextReaches) {
    const std::string texts[] = {
        "Hola mundo",
        Repeat("palabra {N}negrita{N} y {T:20}grande{T} ", 30),
        "a\r\n\r\n{MU:12}b\r\n" + Repeat("xx ", 200),
        "{T:8}" + Repeat("{VS:30}a b ", 80) + "\r\n{T:30}fin",
        "\253enlace largo " + Repeat("w ", 100) + "\273 fin",
        "{J:2}" + Repeat("centrado ", 50) + "\r\n{J:1}" + Repeat("derecha ", 50),
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.substr(0, 40));
        const float drawn = engine.DrawText(text, 7, 0, 0, -1);
        EXPECT_EQ(engine.SizeText(text, 7, 0, 0, -1), drawn - 7);
        EXPECT_EQ(engine.SizeText(text, -1, 0, 0, -1), engine.DrawText(text, -1, 0, 0, -1) + 1);
    }
}

TEST_F(Layout, AWrappedTokenTakesItsTagsToTheLineWhereItLands) {
    // "{T:24}yy" does not fit after 94 characters; the first line keeps
    // 12 pt and the second is 24 pt high.
    const std::string text = std::string(93, 'x') + " {T:24}yy";
    EXPECT_EQ(engine.SizeText(text, 0, 0, 0, -1), 36);
    EXPECT_EQ(engine.DrawText(text, 0, 0, 0, -1), 36);
    const Strings prints = Prints();
    ASSERT_EQ(prints.size(), 2u);
    EXPECT_NE(prints[0].find("Times New Roman 12 "), std::string::npos);
    EXPECT_NE(prints[1].find("\"yy\" Times New Roman 24 "), std::string::npos);
    // A wrapped toggle acts once, in measuring and in painting.
    const std::string bold = std::string(93, 'x') + " {N}bbb";
    engine.SizeText(bold, 0, 0, 0, -1);
    EXPECT_TRUE(surface.Font().bold);
    engine.DrawText(bold, 0, 0, 0, -1);
    EXPECT_TRUE(surface.Font().bold);
    EXPECT_NE(Prints().back().find("\"bbb\" Times New Roman 12 N "), std::string::npos);
    EXPECT_EQ(Placing("{J:0}" + std::string(93, 'x') + " {J:1}yy"),
              (Strings{"6,0 " + std::string(93, 'x'), "558,12 yy"}));
}

// Bold text is half as wide again here, so a style left wrong by
// measuring shows in the line breaks.
class BoldWideSurface : public FakeSurface {
  public:
    using FakeSurface::FakeSurface;
    double TextWidth(std::string_view text) const override {
        return FakeSurface::TextWidth(text) * (Font().bold ? 1.5 : 1);
    }
};

TEST_F(Layout, SizeTextMeasuresAWrappedBoldWordBold) {
    BoldWideSurface wide(600, 400, ScaleMode::Points);
    engine.Ctrl = &wide;
    for (int lead = 80; lead < 100; ++lead) {
        const std::string text =
            std::string(lead, 'x') + " {N}bbbb " + Repeat("cccc ", 40) + "{N}" + Repeat("d ", 60);
        SCOPED_TRACE(lead);
        const float drawn = engine.DrawText(text, 0, 0, 0, -1);
        EXPECT_EQ(engine.SizeText(text, 0, 0, 0, -1), drawn);
    }
}

TEST_F(Layout, ALineHoldsAtMost501TokensAndTheTextGoesOn) {
    FakeSurface wide(100000, 400, ScaleMode::Points);
    engine.Ctrl = &wide;
    EXPECT_EQ(engine.DrawText("{J:0}" + Repeat("a ", 1200), 0, 0, 0, -1), 36);
    std::vector<std::string> lineStarts;
    for (const std::string& line : wide.Log()) {
        if (line.starts_with("print 10,")) lineStarts.push_back(line.substr(6, 5));
    }
    EXPECT_EQ(lineStarts, (Strings{"10,12", "10,24"}));
    // Tokens 0 to 500 on the first line, the last without its blank.
    EXPECT_NE(Join(wide.Log()).find("print 6006,0 \"a\""), std::string::npos);
    EXPECT_EQ(Join(wide.Log()).find("print 6018,0 "), std::string::npos);
    // A full line of a justified paragraph is justified.
    wide.ClearLog();
    engine.DrawText(Repeat("a ", 600), 0, 0, 0, -1);
    EXPECT_NE(wide.Log().front().find("print 6,0 \"a \""), std::string::npos);
    EXPECT_EQ(Placed(wide.Ink()).back(), "1186,12 a");
}

TEST_F(Layout, ThreeScaleModesGiveTheSameLayout) {
    // 600 x 400 pt in each, and 12 + 6 + 12 pt of text.
    // clang-format off
    const std::tuple<ScaleMode, double, double, float, std::string> cases[] = {
        {ScaleMode::Points, 600, 400, 30, "6,0 Hola "},
        {ScaleMode::Twips, 12000, 8000, 600, "120,0 Hola "},
        {ScaleMode::Pixels, 800, 400 * 4 / 3.0, 40, "8,0 Hola "},
    };
    // clang-format on
    for (const auto& [mode, width, height, expected, firstPrint] : cases) {
        SCOPED_TRACE(static_cast<int>(mode));
        FakeSurface s(width, height, mode);
        engine.Ctrl = &s;
        EXPECT_FLOAT_EQ(engine.DrawText("Hola mundo\r\nadios", 0, 0, 0, -1), expected);
        EXPECT_EQ(Placed(s.Ink()).front(), firstPrint);
        EXPECT_FLOAT_EQ(engine.SizeText("{HD:100}", 0, 0, 0, -1), 0);
        EXPECT_FLOAT_EQ(engine.ScaleMode2Points(expected), 30);
    }
}

TEST_F(Layout, UnknownScaleModeMakesEveryLengthZero) {
    FakeSurface user(600, 400, ScaleMode::User);
    engine.Ctrl = &user;
    engine.DrawText("{HD:50}ab", 0, 100, 0, -1);
    EXPECT_EQ(Placed(user.Ink()), (Strings{"100,0 ab"}));  // MP = left edge + 0
}

TEST_F(Layout, GetTextGivesTheTextWithTablesOnLinesOfTheirOwn) {
    engine.SizeText("ab{TB:1,1}x{\\}c", 0, 0, 0, -1);
    EXPECT_EQ(engine.GetText(), "ab\r\n{TB:1,1}x{\\}\r\nc");
    engine.SizeText("{TB:1,1}a{\\}{TB:1,1}b{\\}", 0, 0, 0, -1);
    EXPECT_EQ(engine.GetText(), "{TB:1,1}a{\\}\r\n{TB:1,1}b{\\}\r\n");
}

TEST_F(Layout, TablesAreCentredByDefaultOnLinesOfTheirOwn) {
    // A pixel is 0.75 pt: columns 6 + 7.5 + 2 * 2.25 pt wide, rows 12 + 12 pt
    // high, overlapping by 2.25; below the table a border and MU.
    EXPECT_EQ(engine.DrawText("a\r\n{TB:2,2}x{!}y{-}z{!}w{\\}\r\nb", 0, 0, 0, -1), 84);
    EXPECT_EQ(Placed(Prints()), (Strings{"6,0 a", "279.875,24 x", "295.625,24 y", "279.875,45.75 z",
                                         "295.625,45.75 w", "6,72 b"}));
    EXPECT_EQ(engine.DrawText("a\r\n{TB:2,2}x{!}y and no end", 0, 0, 0, -1), 18);
}

TEST_F(Layout, CallsFromInsideAHandlerAreRefused) {
    int inner = -1;
    engine.Evaluate = [&](std::string& value) {
        inner = static_cast<int>(engine.DrawText("otro", 50, 0, 0, -1));
        value = "x";
    };
    EXPECT_EQ(engine.DrawText("{@a}", 0, 0, 0, -1), 12);
    EXPECT_EQ(inner, 50);
    EXPECT_FALSE(engine.Busy());
}

TEST(ErrorList, DistinctMessagesAndTheHundredthSlotBecomesTooManyErrors) {
    ErrorList distinct;
    for (const char* e : {"Llaves no cerradas", "LLAVES NO CERRADAS", "Etiqueta no v\xE1lida: x",
                          "ETIQUETA NO V\xC1LIDA: X"}) {  // accented letters fold too
        distinct.Add(e);
    }
    EXPECT_EQ(distinct.All(), (Strings{"Llaves no cerradas", "Etiqueta no v\xE1lida: x"}));
    ErrorList errors;
    for (int i = 0; i < 100; ++i) errors.Add("e" + std::to_string(i));
    EXPECT_EQ(errors.Count(), 100u);
    EXPECT_EQ(errors.At(99), "e99");
    errors.Add("e100");
    EXPECT_EQ(errors.Count(), 100u);
    EXPECT_EQ(errors.At(98), "e98");
    EXPECT_EQ(errors.At(99), "Demasiados errores");
    errors.Add("e101");
    errors.Add("e5");
    EXPECT_EQ(errors.Count(), 100u);
    EXPECT_EQ(errors.At(99), "Demasiados errores");
    EXPECT_EQ(errors.At(100), "");
}

class EngineErrors : public testing::EngineTest {};

TEST_F(EngineErrors, ManyBadTagsFillTheListAndEndWithTooManyErrors) {
    std::string text;
    for (int i = 0; i <= 100; ++i) text += "{X" + std::to_string(i) + ":1} ";
    engine.SizeText(text, 0, 0, 0, -1);
    ASSERT_EQ(engine.ErrorCount(), 100);
    EXPECT_EQ(engine.Errors(0), "Etiqueta no v\xE1lida: X0:");
    EXPECT_EQ(engine.Errors(98), "Etiqueta no v\xE1lida: X98:");
    EXPECT_EQ(engine.Errors(99), "Demasiados errores");
    EXPECT_EQ(engine.Errors(100), "");
    EXPECT_EQ(engine.Errors(-1), "");
    engine.DrawText("bien", 0, 0, 0, -1);  // each call starts afresh
    EXPECT_EQ(engine.ErrorCount(), 0);
}

const std::string kInvalidLink = "Referencia hipertextual no v\xE1lida";

TEST_F(EngineErrors, Messages) {
    // clang-format off
    const std::pair<std::string, Strings> cases[] = {
        {"{XY:1}", {"Etiqueta no v\xE1lida: XY:"}}, {"{xy}", {"Etiqueta no v\xE1lida: xy"}},
        {"{MI}", {"Etiqueta no v\xE1lida: MI"}}, {"{N:}", {}},
        {"{zz:1}{ZZ:2}", {"Etiqueta no v\xE1lida: zz:"}},
        {"{Q:1234}", {"Color no v\xE1lido: 1234"}},
        {"{Q:rosa} {Q:rosa}", {"Color no v\xE1lido: rosa"}}, {"{Q:}", {"Color no v\xE1lido: "}},
        {"{Q:3d}{Q:16}{Q:17}{Q:18}", {}}, {"abc{def", {"Llaves no cerradas"}},
        {"{* sin fin", {"Llaves no cerradas"}}, {"\273", {kInvalidLink}},
        {"\253Casa", {kInvalidLink}}, {"\253a \253b\273 c\273", {kInvalidLink}},
        {"\253Casa\273", {}}, {"{/O}", {"Objeto sin etiqueta de inicio"}},
        {"{/FR}", {"Marco sin etiqueta de inicio"}},
        {"{/o} {/fr}", {"Objeto sin etiqueta de inicio", "Marco sin etiqueta de inicio"}},
        {"{FR:1,2,0,0}x{/FR}", {}}, {"{O:1,1,t}x{/O}", {}}, {"{W:rojo}{W:nada.png,0}{W:3d}", {}},
        {"a{!}b{-}c", {}}, {"{* comentario } con llave *}", {}}, {"{}", {}},
        {"{N}{C}{U}{N:1}{C:0}{U:1}{Q}{Q:rojo}{T}{T:10}{F}{F:Arial}{J}{J:2}{MI:5}{MP:5}{MD:5}{MU:5}{"
         "TA:5}{HD:5}{SP:5}{VS:5}{VD:5}{ID:x}{IU:x}"
         "{SY:x}{@x}{G:x}{GI:x,1}{GD:x,1}{B:x,c}{H:x}{S:x}{L:a,b}{P:a,b}{FO:x}{W:x}",
         {}},
        {"{TB:1,1}a{\\}", {}},
    };
    // clang-format on
    for (const auto& [text, errors] : cases) {
        SCOPED_TRACE(text);
        engine.SizeText(text, 0, 0, 0, -1);
        EXPECT_EQ(Errors(), errors);
        engine.DrawText(text, 0, 0, 0, -1);
        EXPECT_EQ(Errors(), errors);
    }
}

}  // namespace
}  // namespace cartulo
