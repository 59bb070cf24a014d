// Layout, errors and painting on the fake surface (see EngineTest).

#include "test_support.h"

namespace cartulo {
namespace {

using namespace testing;

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
    EXPECT_EQ(engine.DrawText("Hola", 100, 0, 0, -1), 112);
    EXPECT_EQ(engine.SizeText("Hola", 100, 0, 0, -1), 12);
    EXPECT_EQ(engine.SizeText("Hola", -1, 0, 0, -1), 13);
}

TEST_F(Layout, LinesBreakBetweenTokens) {
    // 564 pt (94 characters) free on a first line; a token filling it stays.
    const std::string fits = std::string(46, 'a') + " " + std::string(47, 'b');
    EXPECT_EQ(engine.SizeText(fits, 0, 0, 0, -1), 12);
    EXPECT_EQ(engine.SizeText(fits + "b", 0, 0, 0, -1), 24);
    // A word wider than the line stands alone and overflows.
    const std::string word(200, 'x');
    EXPECT_EQ(engine.DrawText(word + " a", 0, 0, 0, -1), 24);
    EXPECT_EQ(Placed(Prints()), (Strings{"6,0 " + word, "10,12 a"}));
}

TEST_F(Layout, Alignment) {
    // Blanks after the last word count for nothing: it ends at 600 - 30.
    EXPECT_EQ(Placing("{J:1}ab cd  "), (Strings{"540,0 ab ", "558,0 cd"}));
    // Centred: a first line at (MP + MI + free) / 2, others at MI + free / 2.
    EXPECT_EQ(Placing("{J:2}ab cd"), (Strings{"275,0 ab ", "293,0 cd"}));
    EXPECT_EQ(Placing("{J:2}" + std::string(100, 'x') + " ab").back(), "284,12 ab");
    // A justified line with one token is not stretched.
    EXPECT_EQ(
        Placing(std::string(100, 'x') + " " + std::string(100, 'y') + " z"),
        (Strings{"6,0 " + std::string(100, 'x'), "10,12 " + std::string(100, 'y'), "10,24 z"}));
    const Strings placed = Placing(Repeat("abcd ", 19));
    // 18 words on the first line, 30 pt free over 17 gaps: a blank in each.
    ASSERT_EQ(placed.size(), 18u + 17u + 1u);
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
    // The margins change the line they stand in: 550 pt, 18 words.
    EXPECT_EQ(placed[0], "0,0 abcd ");
    EXPECT_EQ(placed[18], "20,12 abcd ");
}

TEST_F(Layout, Heights) {
    // "/" is a paragraph end. {VS:} is 30 above, 10 below; subscript a
    // quarter line above and below; superscript the font's ascent above.
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

// The Symbol font is twice as tall as the others here, 5/8 of it above the baseline.
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
    // Beside the current font: the Symbol font's 15 above and 9 below.
    EXPECT_EQ(engine.SizeText("{T:20}{SY:a}", 0, 0, 0, -1), 40);
    EXPECT_EQ(engine.DrawText("x{SY:a}", 0, 0, 0, -1), 24);
    EXPECT_EQ(Placed(tall.Ink()), (Strings{"6,6 x", "12,0 a"}));
}

TEST_F(Layout, BottomCheckContinuationAndPointer) {
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
    EXPECT_EQ(engine.SizeText(text, 0, 0, 0, 60), 60);  // measuring ignores {VD:}
    EXPECT_EQ(engine.GetTextPointer(), static_cast<std::int32_t>(text.find('e') + 1));
    // A line its own {VD:} moves past the limit is not painted; ink above
    // a {VD:} that moves back up counts where it is painted.
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
    // Without a bottom nothing stops, and the Y returned is moved too.
    EXPECT_EQ(engine.DrawText("a {VD:10}b\r\nc", 0, 0, 0, -1), 40);
    EXPECT_EQ(engine.SizeText("a {VD:10}b\r\nc", 0, 0, 0, -1), 30);
    // A bottom beyond the surface: painting stops at the first line below it.
    const std::string low = "{MU:0}{VD:380}a\r\nb\r\nc";
    surface.ClearLog();
    EXPECT_EQ(engine.DrawText(low, 0, 0, 0, 1000), 404);
    EXPECT_EQ(Placed(Prints()), (Strings{"6,380 a", "6,392 b"}));
    EXPECT_EQ(engine.GetTextPointer(), static_cast<std::int32_t>(low.find('c') + 1));
}

TEST_F(Layout, NegativeBottomCountsFromTheSurfacesBottomOrThePagesEdge) {
    const std::string text = "{MU:0}" + Repeat("l\r\n", 40);
    // On a screen -1 never stops; below the surface only with a bottom.
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
    // The first line keeps 12 pt and the second is 24 pt high.
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

// Bold text is half as wide again: a style measuring leaves wrong shows.
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
    for (const std::string& line : wide.Log())
        if (line.starts_with("print 10,")) lineStarts.push_back(line.substr(6, 5));
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

TEST_F(Layout, TablesAreCentredByDefaultOnLinesOfTheirOwn) {
    // Columns 6 + 7.5 + 2 * 2.25 pt wide, rows 12 + 12 pt, overlapping by 2.25.
    EXPECT_EQ(engine.DrawText("a\r\n{TB:2,2}x{!}y{-}z{!}w{\\}\r\nb", 0, 0, 0, -1), 84);
    EXPECT_EQ(Placed(Prints()), (Strings{"6,0 a", "279.875,24 x", "295.625,24 y", "279.875,45.75 z",
                                         "295.625,45.75 w", "6,72 b"}));
    // GetText gives the text with tables on lines of their own.
    engine.SizeText("ab{TB:1,1}x{\\}c", 0, 0, 0, -1);
    EXPECT_EQ(engine.GetText(), "ab\r\n{TB:1,1}x{\\}\r\nc");
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

using EngineErrors = testing::EngineTest;

TEST_F(EngineErrors, ManyBadTagsFillTheListAndEndWithTooManyErrors) {
    std::string text;
    for (int i = 0; i < 100; ++i) text += "{X" + std::to_string(i) + ":1} ";
    engine.SizeText(text, 0, 0, 0, -1);
    EXPECT_EQ(engine.Errors(99), "Etiqueta no v\xE1lida: X99:");  // the hundredth still fits
    // Past it the last slot says so; a known message is not counted again.
    engine.SizeText(text + "{X100:1} {x5:1} {X101:1}", 0, 0, 0, -1);
    ASSERT_EQ(engine.ErrorCount(), 100);
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
        {"{\xE1:1}{\xC1:2}", {"Etiqueta no v\xE1lida: \xE1:"}},  // accents fold too
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

class Painting : public EngineTest {};

TEST_F(Painting, Golden) {
    const auto T = [](const std::string& rest) { return "Times New Roman " + rest; };
    const std::string N = T("12 N #000000"), L = T("12 U #0000FF"), R = T("12 #FF0000"),
                      Gray = T("12 #C0C0C0");
    const std::pair<std::string, std::string> cases[] = {
        {"Hola mundo", P("6,0", "Hola ") + P("36,0", "mundo")},
        // Style tags act from where they stand; the tallest font sets the
        // baseline (18) and each run hangs from it by its own ascent.
        {"a{N}b{C}c{U}d {Q:rojo}e{F:Arial}f{T:24}g",
         P("6,9", "a") + P("12,9", "b", N) + P("18,9", "c", T("12 N C #000000")) +
             P("24,9", "d ", T("12 N C U #000000")) + P("36,9", "e", T("12 N C U #FF0000")) +
             P("42,9", "f", "Arial 12 N C U #FF0000") + P("48,0", "g", "Arial 24 N C U #FF0000")},
        {"{N}a{N}b{N:0}c{N:1}d{N:0}",
         P("6,0", "a", N) + P("12,0", "b") + P("18,0", "c") + P("24,0", "d", N)},
        {"{Q:900}a{Q:12}b{Q:#FF8000}c{Q:GRIS}d{Q:1234}e{Q:3d}f{Q}g",
         P("6,0", "a", R) + P("12,0", "b", R) + P("18,0", "c", T("12 #FF8000")) +
             P("24,0", "d", Gray) + P("30,0", "e", Gray) + P("36,0", "f", Gray) + P("42,0", "g")},
        {"{F:Arial}a{F}b{T:6}c{T}d{T:0}e", P("6,0", "a", "Arial 12 #000000") + P("12,0", "b") +
                                               P("18,4.5", "c", T("6 #000000")) + P("21,0", "d") +
                                               P("27,0", "e")},
        // Half size: subscript a half line lower, superscript tops aligned.
        {"x{ID:2}y{IU:3}", P("6,0", "x") + P("12,6", "2", T("6 #000000")) + P("15,0", "y") +
                               P("21,0", "3", T("6 #000000"))},
        {"{SY:abg}d", P("6,0", "abg", "Symbol 12 charset=2 #000000") + P("24,0", "d")},
        {"a{HD:10}b{SP:5}c", P("6,0", "a") + P("22,0", "b") + P("33,0", "c")},
        {"ab {TA:100}cd ef", P("6,0", "ab ") + P("106,0", "cd ") + P("124,0", "ef")},
        // {VD:} moves the painting down for the rest of the text.
        {"a {VD:10}b\r\nc", P("6,0", "a ") + P("18,10", "b") + P("6,28", "c")},
        // Blanks after the last word are not printed, even on their own.
        {"a{N}   ", P("6,0", "a")},
        // An object 72 x 36 pt stands 27 pt above the baseline, its script
        // drawn in its box; a formula paints at the pen and moves it on.
        {"a{O:72,36,drawscript}0 0 move 72 36 line stroke{/O}b c{FO:x@exp[2]}d",
         P("6,18", "a") + "point 12,0 #000000\nline 12,0 84,36 #000000 w1\n" + P("84,18", "b ") +
             P("96,18", "c") + P("102,18", "x", T("12 C #000000")) +
             P("108,16.8", "2", T("7.2 #000000")) + P("111.6,18", "d")},
        // Links and popups; a set link colour, and tags before a link.
        {"{L:Casa,la casa} y {P:ver,la nota}",
         P("6,0", "la casa", L) + P("48,0", " ") + P("54,0", "y ") + P("66,0", "ver", L)},
        {"\253Casa grande\273 m\341s",
         P("6,0", "Casa ", L) + P("36,0", "grande", L) + P("72,0", " ") + P("78,0", "m\341s")},
        // Misused quotes paint plain text.
        {"a\273 b \253c", P("6,0", "a") + P("12,0", " ") + P("18,0", "b ") + P("30,0", "c")},
        {"a\r\n{W:rojo}b c", P("6,0", "a") + "rect 0,12 600,400 #FF0000 filled w1\n" +
                                 P("6,18", "b ") + P("18,18", "c")},
    };
    for (const auto& [text, ink] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Paint(text), ink);
    }
}

TEST_F(Painting, EveryCallStartsFromTheDefaults) {
    engine.DefaultColor = Rgb(0, 128, 0);
    engine.DefaultFont = "Arial";
    engine.DefaultSize = 10;
    Paint("{N}{C}{U}{T:30}{F:Tahoma}{Q:rojo}x");
    const std::string G = "Arial 10 #008000";
    EXPECT_EQ(Paint("b{Q:17}c{Q:18}d{Q:rojo}e{Q:defecto}f"),
              P("6,0", "b", G) + P("11,0", "c", G) + P("16,0", "d", G) +
                  P("21,0", "e", "Arial 10 #FF0000") + P("26,0", "f", G));
    // The text is printed without its background box.
    EXPECT_EQ(surface.Log().back().find("opaque"), std::string::npos);
}

TEST_F(Painting, Expressions) {
    EXPECT_EQ(Paint("{@:la}"), P("6,0", ":la"));  // unanswered, they show themselves
    engine.Evaluate = [](std::string& value) {
        if (value == "fecha") value = "hoy";
        if (value == ":la") value = "{";
    };
    EXPECT_EQ(
        Paint("{@fecha} {@otra} {@:la}"),
        P("6,0", "hoy") + P("24,0", " ") + P("30,0", "otra") + P("54,0", " ") + P("60,0", "{"));
}

TEST_F(Painting, LinkZonesAndColours) {
    Paint("{L:Casa,la casa} y {P:ver,la nota}");
    EXPECT_EQ(Zones(), (Strings{"6,0 48,12 k0 Casa||", "66,0 84,12 k3 la nota||"}));
    Paint("\253Casa grande\273 m\341s");
    EXPECT_EQ(Zones(), (Strings{"6,0 72,12 k0 Casa grande||"}));
    Paint("\253{N}Casa\273");
    EXPECT_EQ(Zones(), (Strings{"6,0 30,12 k0 {N}Casa||"}));
    Paint("a\273 b \253c");
    EXPECT_TRUE(Zones().empty());
    engine.HT_Color = Rgb(255, 0, 255);
    EXPECT_EQ(Paint("{U}{Q:rojo}{L:a,b}c"), P("6,0", "b", "Times New Roman 12 U #FF00FF") +
                                                P("12,0", "c", "Times New Roman 12 U #FF0000"));
    // A link that wraps makes a zone per line.
    Paint("\253" + Repeat("w ", 100) + "\273 fin");
    const std::string w = Repeat("w ", 100) + "||";
    EXPECT_EQ(Zones(),
              (Strings{"6,0 576,12 k0 " + w, "10,12 576,24 k0 " + w, "10,24 94,36 k0 " + w}));
}

TEST_F(Painting, JustificationGapsAndBackgrounds) {
    // A wider gap takes as many blanks as cover it: 78 pt free, 13 blanks.
    const std::string a(40, 'a'), b(40, 'b'), c(20, 'c');
    EXPECT_EQ(Paint("{J:3}" + a + " " + b + " " + c),
              P("6,0", a + " ") + P("252,0", std::string(13, ' ')) + P("330,0", b) + P("10,12", c));
    // On a line that does not start a paragraph the fill starts at its top.
    EXPECT_NE(
        Paint(std::string(100, 'x') + " {W:#00FF00}b").find("rect 0,12 600,400 #00FF00 filled"),
        std::string::npos);
}

}  // namespace
}  // namespace cartulo
