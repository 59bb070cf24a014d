// The markup's parts: parameters, names, colours, units, cuts, blocks, the reader, spans.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/fake_surface.h"
#include "richtext/block_scan.h"
#include "richtext/color_notation.h"
#include "richtext/error_list.h"
#include "richtext/markup_index.h"
#include "richtext/markup_reader.h"
#include "richtext/markup_spans.h"
#include "richtext/scale_units.h"
#include "richtext/tag_kind.h"
#include "richtext/tag_params.h"
#include "richtext/text_continuation.h"
#include "richtext/zuzod_ivodure.h"

namespace cartulo::richtext {
namespace {

using Strings = std::vector<std::string>;

TEST(TagParams, ParametersAndTheirRest) {
    // Value, parameter number, the parameter and the rest, blanks as written.
    // clang-format off
    const std::tuple<std::string_view, int, std::string_view, std::string_view> cases[] = {
        {"a,b,c", 1, "a", "a,b,c"}, {"a,b,c", 2, "b", "b,c"}, {"a,b,c", 3, "c", "c"},
        {"a,b,c", 4, "", ""}, {"a,,c", 2, "", ",c"}, {"a, b ,c", 2, " b ", " b ,c"},
        {"", 1, "", ""}, {"", 2, "", ""},
        {"target,text, with, commas", 2, "text", "text, with, commas"}, {"a,b", 0, "", "a,b"},
    };
    // clang-format on
    for (const auto& [value, n, param, rest] : cases) {
        SCOPED_TRACE(std::string(value) + " #" + std::to_string(n));
        EXPECT_EQ(GetParam(value, n), param);
        EXPECT_EQ(GetParamRest(value, n), rest);
    }
}

TEST(TagParams, NumbersReadLikeHandwrittenFigures) {
    const std::pair<std::string_view, double> cases[] = {
        {"12", 12},    {" 12 ", 12},  {"-3.5", -3.5},   {"+7", 7},    {".5", 0.5},   {"5.", 5},
        {"1e3", 1000}, {"12abc", 12}, {"abc", 0},       {"", 0},      {"-", 0},      {".", 0},
        {"1e", 1},     {"1e+", 1},    {"1e308", 1e308}, {"1e400", 0}, {"-1e400", 0}, {"nan", 0},
        {"inf", 0},    {"0x10", 0},   {"1,5", 1},
    };
    for (const auto& [text, value] : cases) {
        SCOPED_TRACE(std::string(text));
        EXPECT_DOUBLE_EQ(ParseNumber(text), value);
    }
}

TEST(TagParams, NumericTextsRoundingTrimmingAndCase) {
    for (std::string_view yes : {"0", "12", " 12 ", "-1", "+1", "1.5", ".5", "1e3", "900"})
        EXPECT_TRUE(IsNumeric(yes)) << yes;
    for (std::string_view no : {"", " ", "-", ".", "1a", "a1", "#FF0000", "1 2", "1e", "rojo"})
        EXPECT_FALSE(IsNumeric(no)) << no;
    const std::pair<double, int> rounded[] = {{0.5, 0}, {1.5, 2},  {2.5, 2},  {2.4, 2},
                                              {2.6, 3}, {-0.5, 0}, {-1.5, -2}};
    for (const auto& [x, n] : rounded) EXPECT_EQ(RoundHalfEven(x), n) << x;
    EXPECT_TRUE(EqualsNoCase("mi:", "MI:"));
    EXPECT_FALSE(EqualsNoCase("MI", "MI:"));
}

TEST(TagParams, TagNamesInAnyCase) {
    using enum TagKind;
    // clang-format off
    const std::pair<std::string, TagKind> cases[] = {
        {"N", Bold}, {"n:", Bold}, {"mi:", LeftMargin}, {"Vd:", MoveDown}, {"/fr", FrameEnd},
        {"\\", TableEnd}, {"@", Expression}, {"NN", Unknown}, {"", Unknown}, {"MI:x", Unknown},
        {"MI", Unknown}, {std::string("\0N", 2), Unknown}, {"\xF1", Unknown}, {"N\xA0", Unknown},
    };
    // clang-format on
    for (const auto& [name, kind] : cases) EXPECT_EQ(KindOfTag(name), kind) << name;
}

constexpr Color kCurrent = Rgb(1, 2, 3);
constexpr Color kDefault = Rgb(4, 5, 6);

TEST(ParseColor, Notations) {
    // Three digits times 32; six, pairs times 2.55 halves to even; one or
    // two, the palette, then 16, 17, 18; hexadecimal; names in any case.
    // clang-format off
    const std::pair<std::string, Color> cases[] = {
        {"900", Rgb(255, 0, 0)}, {"000", Rgb(0, 0, 0)}, {"123", Rgb(32, 64, 96)},
        {"789", Rgb(224, 255, 255)}, {"500000", Rgb(128, 0, 0)}, {"990000", Rgb(252, 0, 0)},
        {"010203", Rgb(3, 5, 8)}, {"300000", Rgb(76, 0, 0)}, {"700000", Rgb(178, 0, 0)},
        {"100000", Rgb(26, 0, 0)}, {"0", Rgb(0, 0, 0)}, {"12", Rgb(255, 0, 0)},
        {"15", Rgb(255, 255, 255)}, {"8", Rgb(128, 128, 128)}, {"7", Rgb(192, 192, 192)},
        {".5", Rgb(0, 0, 0)}, {"1.", Rgb(0, 0, 128)}, {"16", kColor3D}, {"17", kCurrent},
        {"18", kDefault}, {"19", kInvalidColor}, {"-1", kInvalidColor}, {"99", kInvalidColor},
        {"1234", kInvalidColor}, {"12345", kInvalidColor}, {"1234567", kInvalidColor},
        {"1.5", kInvalidColor}, {"12.500", kInvalidColor}, {"#FF8000", Rgb(255, 128, 0)},
        {"#ff8000", Rgb(255, 128, 0)}, {"#000000", Rgb(0, 0, 0)}, {"#GG0000", kInvalidColor},
        {"#FF800", kInvalidColor}, {"#FF80000", kInvalidColor}, {"negro", Rgb(0, 0, 0)},
        {"GRIS", Rgb(192, 192, 192)}, {" Rojo ", Rgb(255, 0, 0)}, {"naranja", 33023},
        {"actual", kCurrent}, {"DEFECTO", kDefault}, {"3d", kColor3D}, {"3D", kColor3D},
        {"", kInvalidColor}, {"rosa", kInvalidColor}, {"rojo_c", kInvalidColor},
    };
    // clang-format on
    for (const auto& [text, color] : cases) {
        SCOPED_TRACE("\"" + text + "\"");
        EXPECT_EQ(ParseColor(text, {kCurrent, kDefault}), color);
    }
}

TEST(ScaleUnits, ThreeScaleModesOnScreenAndPrinter) {
    // 15 twips per pixel: 10 points, pixels, units, picture pixels converted.
    // clang-format off
    const std::tuple<ScaleMode, bool, double, double, double, double> cases[] = {
        {ScaleMode::Twips, false, 200, 150, 0.5, 150}, {ScaleMode::Points, false, 10, 7.5, 10, 7.5},
        {ScaleMode::Pixels, false, 10 * 20.0 / 15, 10, 7.5, 10},
        {ScaleMode::Twips, true, 200, 200, 0.5, 200}, {ScaleMode::Points, true, 10, 10, 10, 10},
        {ScaleMode::Pixels, true, 10 * 20.0 / 15, 10, 7.5, 10 * 20.0 / 15},
        {ScaleMode::User, false, 0, 0, 0, 0}, {ScaleMode::User, true, 0, 0, 0, 0},
    };
    // clang-format on
    for (const auto& [mode, printer, points, pixels, toPoints, picture] : cases) {
        SCOPED_TRACE(static_cast<int>(mode) * 10 + printer);
        const FakeSurface surface(100, 100, mode, printer);
        EXPECT_DOUBLE_EQ(PointsToScale(surface, 10), points);
        EXPECT_DOUBLE_EQ(PixelsToScale(surface, 10), pixels);
        EXPECT_DOUBLE_EQ(ScaleToPoints(surface, 10), toPoints);
        EXPECT_DOUBLE_EQ(PictureToScale(surface, 10), picture);
    }
}

// A surface whose fonts report no height, and no twips per pixel.
class FlatSurface : public FakeSurface {
  public:
    using FakeSurface::FakeSurface;
    TextMetrics GetTextMetrics() const override { return {}; }
    double TwipsPerPixelX() const override { return 0; }
};

TEST(ScaleUnits, FontMeasuresNoDivisionByZeroAndFiniteLengths) {
    cZuzodIvodure engine;  // the engine's conversions need a surface
    EXPECT_EQ(engine.ScaleMode2Points(100), 0);
    EXPECT_EQ(engine.PointsToScale(100), 0);
    const FlatSurface flat(100, 100, ScaleMode::Pixels);
    EXPECT_DOUBLE_EQ(FontAscent(flat), LineHeight(flat));
    EXPECT_EQ(PointsToScale(flat, 10), 0);
    EXPECT_EQ(ScaleToPoints(flat, 10), 0);
    EXPECT_EQ(ClampLength(1e308), kMaxMarkupLength);
    EXPECT_EQ(ClampLength(-1e308), -kMaxMarkupLength);
    EXPECT_EQ(ClampLength(12), 12);
}

// Tables get lines of their own, unless too near the start to move.
TEST(NormalizeTables, TablesGetLinesOfTheirOwn) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"{TB:1,1}x{\\}", "{TB:1,1}x{\\}\r\n"}, {"ab{TB:1,1}x{\\}c", "ab\r\n{TB:1,1}x{\\}\r\nc"},
        {"ab{tb:1,1}x{\\}c", "ab\r\n{tb:1,1}x{\\}\r\nc"}, {"a{TB:1,1}x{\\}", "a{TB:1,1}x{\\}\r\n"},
        {"ab\r\n{TB:1,1}x{\\}\r\nc", "ab\r\n{TB:1,1}x{\\}\r\nc"}, {"{\\}{\\}", "{\\}\r\n{\\}\r\n"},
        {"{TB:1,1}a{\\}{TB:1,1}b{\\}", "{TB:1,1}a{\\}\r\n{TB:1,1}b{\\}\r\n"},
        {"{TB:1,1}a{\\}\r\n{TB:1,1}b{\\}", "{TB:1,1}a{\\}\r\n{TB:1,1}b{\\}\r\n"},
        {"x{\\}{TB:1,1}b{\\}y", "x{\\}\r\n{TB:1,1}b{\\}\r\ny"}, {"no tables", "no tables"},
        {"", ""},
    };
    // clang-format on
    for (const auto& [text, normalized] : cases)
        EXPECT_EQ(NormalizeTables(text), normalized) << text;
}

// The text, where the cut first falls and the rest.
TEST(CutAt, CarriesTheStyleTagsBeforeTheCut) {
    // clang-format off
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"{N}abc def", "def", "{N}def"}, {"{T:20}abc def", "def", "{T:20}def"},
        {"{G:x}abc def", "def", "def"},
        {"{c}{C:1}{F}{F:Arial}{J}{J:1}{MI:1}{MD:1}{MP:1}{MU:1}{N}{N:1}{Q}{Q:rojo}{T}{T:9}"
         "{U}{U:1}{W:rojo}{HD:5}{L:a,b}{SP:3}x|y",
         "|",
         "{c}{C:1}{F}{F:Arial}{J}{J:1}{MI:1}{MD:1}{MP:1}{MU:1}{N}{N:1}{Q}{Q:rojo}{T}{T:9}"
         "{U}{U:1}{W:rojo}|y"},
        // Tables before the cut are passed over whole, tags and all.
        {"{TB:1,1}{N}a{\\}\r\nxyz", "yz", "yz"}, {"{TB:1,1}abc", "bc", ""},
        // An unclosed brace is stepped over.
        {"{abc def", "def", "def"}, {"{a{N}b c", "c", "{N}c"}, {"a\r\nb{N}c", "c", "{N}c"},
    };
    // clang-format on
    for (const auto& [text, at, rest] : cases)
        EXPECT_EQ(CutAt(text, text.find(at) + 1), rest) << text << " @" << at;
    // A tag the cut falls into is carried whole; beyond the end, the prefix.
    for (int at : {0, 1, 2}) EXPECT_EQ(CutAt("{N}abc", at), "{N}abc") << at;
    EXPECT_EQ(CutAt("{N}ab", 50), "{N}");
}

TEST(SplitTag, NameBeforeTheFirstColonValueAfter) {
    EXPECT_EQ(SplitTag("{L:a:b}").name, "L");
    EXPECT_EQ(SplitTag("{L:a:b}").value, "a:b");
    EXPECT_EQ(SplitTag("{/FR}").name, "/FR");
    EXPECT_EQ(SplitTag("{}").name, "");
}

// The text, where the scan starts and the text from the result on.
TEST(FindBlockEnd, MatchingClosingTag) {
    // clang-format off
    const std::tuple<std::string, std::size_t, std::string> cases[] = {
        {"{FR:1}{FR:2}x{/FR}y{/FR}z", 6, "{/FR}y{/FR}z"},
        // A closing frame tag cuts back the object left open inside it.
        {"{FR:1}{O:1,1,t}b{/FR}c", 0, "{/FR}c"},
        {"{FR:1}no end", 0, ""},
        {"{fr:1}a{/fr}b", 0, "{/fr}b"},
        // A closing tag inside a comment is no tag.
        {"{FR:1}{* {/FR} *}a{/FR}b", 0, "{/FR}b"},
    };
    // clang-format on
    for (const auto& [text, open, expectedAt] : cases) {
        SCOPED_TRACE(text);
        const std::size_t end = FindBlockEnd(text, open);
        EXPECT_EQ(text.substr(std::min(end, text.size())), expectedAt);
    }
}

TEST(FindBlockEnd, DeepNestingWithinTheScanLimitAndNeverClosed) {
    std::string text;
    for (int i = 0; i < 1000; ++i) text += "{FR:1}";
    text += "x";
    for (int i = 0; i < 1000; ++i) text += "{/FR}";
    EXPECT_EQ(FindBlockEnd(text, 0), text.size() - 5);
    // Never closed: it ends at the first closing tag of any kind.
    std::string open;
    for (std::size_t i = 0; i < kMaxBlockScanTags + 10; ++i) open += "{FR:1}";
    open += "{/O}";
    EXPECT_EQ(FindBlockEnd(open, 0), open.size() - 4);
    EXPECT_EQ(FindBlockEnd(open, 6 * 100), open.size() - 4);
    // From the start the {/O} closes the object and cuts the inner frame
    // away; scanned from that frame, the {/O} is nothing.
    const std::string cut = "{O:1,1,t}{FR:1}a{/O}b{/FR}c{/FR}";
    EXPECT_EQ(cut.substr(FindBlockEnd(cut, 9)), "{/FR}c{/FR}");
    EXPECT_EQ(cut.substr(FindBlockEnd(cut, 0)), "{/O}b{/FR}c{/FR}");
}

TEST(FindBlockEnd, OnePassAgreesWithAScanFromEachBlock) {
    // Every opening tag of a tangle of blocks, found both ways.
    const std::string pieces[] = {"{FR:1}", "{/FR}", "{O:1,1,t}", "{/O}", "{TB:1,1}", "{\\}", "x"};
    unsigned seed = 7;
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (int i = 0; i < 30; ++i) {
            seed = seed * 1103515245 + 12345;
            text += pieces[(seed >> 16) % 7];
        }
        const MarkupIndex index(text);
        for (std::size_t i = 0; i < index.BlockTags().size(); ++i) {
            const BlockTagAt tag = index.BlockTags()[i];
            if (IsClosing(tag.kind)) continue;
            // A plain scan: push openers, cut back on closers, stop when empty.
            std::vector<BlockTag> stack;
            std::size_t expected = index.NextClosingTag(tag.pos).value_or(text.size());
            for (std::size_t j = i; j < index.BlockTags().size(); ++j) {
                const BlockTag kind = index.BlockTags()[j].kind;
                if (!IsClosing(kind)) {
                    stack.push_back(kind);
                    continue;
                }
                const BlockTag opener = kind == BlockTag::CloseObject  ? BlockTag::OpenObject
                                        : kind == BlockTag::CloseFrame ? BlockTag::OpenFrame
                                                                       : BlockTag::OpenTable;
                const auto top = std::find(stack.rbegin(), stack.rend(), opener);
                if (top == stack.rend()) continue;
                stack.erase(std::next(top).base(), stack.end());
                if (stack.empty()) {
                    expected = index.BlockTags()[j].pos;
                    break;
                }
            }
            ASSERT_EQ(FindBlockEnd(index, tag.pos), expected) << text << " @" << tag.pos;
        }
    }
}

TEST(MarkupIndex, TagEnds) {
    const MarkupIndex index("{N}{* a } b *}{*}{x");
    EXPECT_EQ(index.TagEnd(0), 3u);
    EXPECT_EQ(index.TagEnd(3), 14u);  // the comment ends at "*}", past its inner "}"
    EXPECT_EQ(index.TagEnd(14), 17u);
    EXPECT_EQ(index.TagEnd(17), std::nullopt);
}

// A token as text: 'text' for text, <name|value> for tags, O<value|body>
// and FR<value|body> for blocks, then +N for its trailing blanks.

std::string Describe(const Token& token) {
    if (token.IsQuote()) return token.quote == '\253' ? "<<" : ">>";
    std::string out;
    for (const Piece& p : token.pieces) {
        const bool tag = p.kind == Piece::Kind::Tag;
        if (p.kind == Piece::Kind::Text) {
            out += "'" + std::string(p.text) + "'";
        } else {
            out += std::string(tag                             ? ""
                               : p.kind == Piece::Kind::Object ? "O"
                                                               : "FR") +
                   "<" + std::string(tag ? p.name : p.value) + "|" +
                   std::string(tag ? p.value : p.body) + ">";
        }
    }
    if (token.blanks) out += "+" + std::to_string(token.blanks);
    return out;
}

// Every token of the text, CR LF pairs shown as "/".
std::vector<std::string> Tokens(const std::string& text, ErrorList* errors = nullptr) {
    const MarkupReader reader(text);
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text.compare(pos, 2, "\r\n") == 0) {
            out.push_back("/");
            pos += 2;
            continue;
        }
        const Token token = reader.NextToken(pos, errors);
        EXPECT_GT(token.end, pos) << "no progress at " << pos;
        if (token.end <= pos) break;
        out.push_back(Describe(token));
        pos = token.end;
    }
    return out;
}

TEST(MarkupReader, Tokens) {
    // clang-format off
    const std::pair<std::string, Strings> cases[] = {
        {"Hola mundo", {"'Hola '+1", "'mundo'"}}, {"a  b", {"'a  '+2", "'b'"}},
        // Tags inside a word belong to it; a blank before a tag splits.
        {"a{N}b", {"'a'<N|>'b'"}}, {"a {N}b", {"'a '+1", "<N|>'b'"}},
        {"{N} x", {"<N|>' '+1", "'x'"}},
        // Names keep their colon; values are trimmed, expressions are not.
        {"{T: 12 }x", {"<T:|12>'x'"}}, {"{t:12}", {"<t:|12>"}}, {"{@ fecha }", {"<@| fecha >"}},
        {"{L:destino,un texto}", {"<L:|destino,un texto>"}},
        // Tags may hold blanks and end at the first brace.
        {"{L:a,b c}d e", {"<L:|a,b c>'d '+1", "'e'"}}, {"{a{b}c", {"<a{b|>'c'"}},
        // Comments and the empty tag vanish.
        {"a{* x } y *}b", {"'a''b'"}}, {"a{}b", {"'a''b'"}}, {"{*}x", {"'x'"}},
        // Quotes stand alone; blanks after a quote start a blank token.
        {"\253Casa\273 es", {"<<", "'Casa'", ">>", "' '+1", "'es'"}},
        // CR LF belongs to no token; a lone CR or LF is text.
        {"a\r\nb", {"'a'", "/", "'b'"}}, {"a\rb\nc", {"'a\rb\nc'"}}, {"a \r\n", {"'a '+1", "/"}},
        // A "}" without a "{" is text.
        {"a}b", {"'a}b'"}},
        // Objects carry their body to the first {/O}.
        {"x{O:72,36,drawscript}line{/O}y z", {"'x'O<72,36,drawscript|line>'y '+1", "'z'"}},
        // Another object before the {/O}: no body, the text is read on.
        {"{O:1,1,t}a{O:2,2,t}b{/O}", {"O<1,1,t|>'a'O<2,2,t|b>"}},
        {"{O:1,1,t}a b", {"O<1,1,t|>'a '+1", "'b'"}},
        // Frames to their matching {/FR}, nested ones inside.
        {"{FR:1}a {FR:2}b{/FR} c{/FR}d e", {"FR<1|a {FR:2}b{/FR} c>'d '+1", "'e'"}},
        {"{FR:1}a b", {"FR<1|a b>"}},
    };
    // clang-format on
    for (const auto& [text, tokens] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Tokens(text), tokens);
    }
}

// An unclosed brace ends its token at a blank, CR LF or quote, with an error.
TEST(MarkupReader, UnclosedBraces) {
    const std::pair<std::string, Strings> cases[] = {
        {"ab{cd ef", {"'ab''{cd '+1", "'ef'"}},
        {"ab{cd\r\nef", {"'ab''{cd'", "/", "'ef'"}},
        {"ab{cd\253x\273 e", {"'ab''{cd'", "<<", "'x'", ">>", "' '+1", "'e'"}},
        {"{cd\273", {"'{cd'", ">>"}},
        {"{* a } b", {"'{* '+1", "'a '+1", "'} '+1", "'b'"}},
    };
    for (const auto& [text, tokens] : cases) {
        ErrorList errors;
        EXPECT_EQ(Tokens(text, &errors), tokens) << text;
        EXPECT_EQ(errors.All(), Strings{"Llaves no cerradas"}) << text;
    }
}

TEST(MarkupReader, EmptyAtCrLfAndAtTheEnd) {
    const MarkupReader reader("a\r\n");
    for (std::size_t at : {1u, 3u, 99u}) EXPECT_EQ(reader.NextToken(at, nullptr).end, at);
}

// The spans as one letter per byte: Brace, Name, Value, Comment, Link,
// Error, '.' for plain text; a later span's letters over an earlier one's.
std::string Spans(std::string_view text, const std::vector<MarkupSpan>& spans) {
    std::string out(text.size(), '.');
    for (const MarkupSpan& s : spans)
        out.replace(s.begin, s.end - s.begin, s.end - s.begin, "BNVCLE"[static_cast<int>(s.kind)]);
    return out;
}
std::string Spans(std::string_view text) {
    return Spans(text, ReadMarkupSpans(text));
}

TEST(MarkupSpans, ReadTheMarkupAsLayoutDoes) {
    // clang-format off
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"a {N}b {T:12}", "..BNB..BNNVVB"},
        {"{T:{x}}y", "BNNVVB.."},                  // the first } closes the tag
        {"{*a \253b\273 c*}d", "CCCCCCCCCCC."},    // no link inside a comment
        {"{*a\r\nb*}c", "CCCCCCCC."},              // nor a line end
        {"\253Casa {N}x\273 y", "LLLLLLBNBLL.."},  // tags inside a link
        {"{@:ca}", "BNVVVB"},
        {"a {N b", "..EE.."},  // unclosed braces: the rest of the word
        {"{ZZ} {/O} {/FR}", "EEEE.EEEE.EEEEE"}, {"\253a \273b", "LLLL."},
        {"a\273 \253b \253c\273", ".E.LLLELL"},  // a stray », a second « inside a link
        {"{L:Casa,ver}{}", "LLLLLLLLLLLLBB"}, {"{O:x}1+{2}{/O}!", "BNNVBVVVVVBNNB."},
        {"{FR:1}{N}x{/FR}", "BNNNVBBNB.BNNNB"},
    };
    // clang-format on
    for (const auto& [text, expected] : cases) EXPECT_EQ(Spans(text), expected) << text;
    const auto links = ReadMarkupSpans("\253Casa\273 {L:Otra,ver}");
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].detail, "Casa");
    EXPECT_EQ(links[1].detail, "Otra");
    EXPECT_EQ(ReadMarkupSpans("a {ZZ}")[0].detail, "Etiqueta no v\xE1lida: ZZ");
}

TEST(MarkupSpans, APartReadsAsTheWholeText) {
    const std::string_view texts[] = {
        "uno {N}dos\r\n{*tres\r\ncuatro*} \253cinco\r\nseis\273\r\nsiete {T:1\r\n2} ocho\r\n",
        "a {O:x}\r\n1{/O}\r\n{FR:1}\r\n\253b\273{/FR}\r\n{TB:1}x{!}\r\ny{\\}\r\n\253c\r\n{ d\r\n",
        "\253\253\253\r\n{*\r\n}\r\n\273\r\n",
        "\253{FR:1}\273{/FR}\r\nb\273\r\n{FR:1}{/O}\r\n\253a{/FR}\273\r\n{TB:1}{/"
        "O}\r\n{O:x}\253\r\n{/O}{\\}\273\r\n",
    };
    for (const std::string_view text : texts) {
        const std::string whole = Spans(text);
        for (std::size_t from = 0; from < text.size(); ++from) {
            const MarkupSpansPart part = ReadMarkupSpansAround(text, from, from + 1);
            ASSERT_LE(part.begin, from);
            ASSERT_GT(part.end, from);
            EXPECT_EQ(Spans(text, part.spans).substr(part.begin, part.end - part.begin),
                      whole.substr(part.begin, part.end - part.begin))
                << text << " at " << from;
        }
    }
}

}  // namespace
}  // namespace cartulo::richtext
