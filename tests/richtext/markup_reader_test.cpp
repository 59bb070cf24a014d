#include "richtext/markup_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "richtext/error_list.h"
#include "richtext/markup_spans.h"

namespace cartulo::richtext {
namespace {

// A token as text: 'text' for text, <name|value> for tags, O<value|body>
// and FR<value|body> for blocks, then +N for its trailing blanks.
std::string Describe(const Token& token) {
    if (token.IsQuote()) return token.quote == '\253' ? "<<" : ">>";
    std::string out;
    for (const Piece& p : token.pieces) {
        switch (p.kind) {
            case Piece::Kind::Text:
                out += "'" + std::string(p.text) + "'";
                break;
            case Piece::Kind::Tag:
                out += "<" + std::string(p.name) + "|" + std::string(p.value) + ">";
                break;
            case Piece::Kind::Object:
                out += "O<" + std::string(p.value) + "|" + std::string(p.body) + ">";
                break;
            case Piece::Kind::Frame:
                out += "FR<" + std::string(p.value) + "|" + std::string(p.body) + ">";
                break;
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

using Strings = std::vector<std::string>;

struct TokenCase {
    std::string text;
    Strings tokens;
};

TEST(MarkupReader, Tokens) {
    const TokenCase cases[] = {
        {"Hola mundo", {"'Hola '+1", "'mundo'"}},
        {"a  b", {"'a  '+2", "'b'"}},
        // Tags inside a word belong to it; a blank before a tag splits.
        {"a{N}b", {"'a'<N|>'b'"}},
        {"a {N}b", {"'a '+1", "<N|>'b'"}},
        {"{N}{C}", {"<N|><C|>"}},
        {"{N} x", {"<N|>' '+1", "'x'"}},
        // Names keep their colon; values are trimmed, expressions are not.
        {"{T: 12 }x", {"<T:|12>'x'"}},
        {"{t:12}", {"<t:|12>"}},
        {"{@ fecha }", {"<@| fecha >"}},
        {"{L:destino,un texto}", {"<L:|destino,un texto>"}},
        // Tags may hold blanks and end at the first brace.
        {"{L:a,b c}d e", {"<L:|a,b c>'d '+1", "'e'"}},
        {"{a{b}c", {"<a{b|>'c'"}},
        // Comments and the empty tag vanish.
        {"a{* x } y *}b", {"'a''b'"}},
        {"a{}b", {"'a''b'"}},
        {"{*}x", {"'x'"}},
        // Quotes stand alone; blanks after a quote start a blank token.
        {"\253Casa\273 es", {"<<", "'Casa'", ">>", "' '+1", "'es'"}},
        // CR LF belongs to no token; a lone CR or LF is text.
        {"a\r\nb", {"'a'", "/", "'b'"}},
        {"a\rb\nc", {"'a\rb\nc'"}},
        {"a \r\n", {"'a '+1", "/"}},
        // A "}" without a "{" is text.
        {"a}b", {"'a}b'"}},
        // Objects carry their body to the first {/O}.
        {"x{O:72,36,drawscript}line{/O}y z", {"'x'O<72,36,drawscript|line>'y '+1", "'z'"}},
        {"{O:1,1,t}a b{/O}", {"O<1,1,t|a b>"}},
        // Another object before the {/O}: no body, the text is read on.
        {"{O:1,1,t}a{O:2,2,t}b{/O}", {"O<1,1,t|>'a'O<2,2,t|b>"}},
        {"{O:1,1,t}a b", {"O<1,1,t|>'a '+1", "'b'"}},
        // Frames to their matching {/FR}, nested ones inside.
        {"{FR:1}a {FR:2}b{/FR} c{/FR}d e", {"FR<1|a {FR:2}b{/FR} c>'d '+1", "'e'"}},
        {"{FR:1}a b", {"FR<1|a b>"}},
    };
    for (const TokenCase& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Tokens(c.text), c.tokens);
    }
}

// An unclosed brace (or comment) ends its token at the next blank, CR LF
// or quote, with one error.
TEST(MarkupReader, UnclosedBraces) {
    const TokenCase cases[] = {
        {"ab{cd ef", {"'ab''{cd '+1", "'ef'"}},
        {"ab{cd\r\nef", {"'ab''{cd'", "/", "'ef'"}},
        {"ab{cd\253x\273 e", {"'ab''{cd'", "<<", "'x'", ">>", "' '+1", "'e'"}},
        {"{cd\273", {"'{cd'", ">>"}},
        {"{* a } b", {"'{* '+1", "'a '+1", "'} '+1", "'b'"}},
    };
    for (const TokenCase& c : cases) {
        ErrorList errors;
        EXPECT_EQ(Tokens(c.text, &errors), c.tokens) << c.text;
        EXPECT_EQ(errors.All(), Strings{"Llaves no cerradas"}) << c.text;
    }
}

TEST(MarkupReader, EmptyAtCrLfAndAtTheEnd) {
    const MarkupReader reader("a\r\n");
    EXPECT_EQ(reader.NextToken(1, nullptr).end, 1u);
    EXPECT_EQ(reader.NextToken(3, nullptr).end, 3u);
    EXPECT_EQ(reader.NextToken(99, nullptr).end, 99u);
}

// The spans as one letter per byte: Brace, Name, Value, Comment, Link,
// Error, '.' for plain text; a later span's letters over an earlier one's.
std::string Spans(std::string_view text) {
    std::string out(text.size(), '.');
    for (const MarkupSpan& s : ReadMarkupSpans(text)) {
        out.replace(s.begin, s.end - s.begin, s.end - s.begin, "BNVCLE"[static_cast<int>(s.kind)]);
    }
    return out;
}

TEST(MarkupSpans, ReadTheMarkupAsLayoutDoes) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"a {N}b {T:12}", "..BNB..BNNVVB"},
        {"{T:{x}}y", "BNNVVB.."},                  // the first } closes the tag
        {"{*a \253b\273 c*}d", "CCCCCCCCCCC."},    // no link inside a comment
        {"{*a\r\nb*}c", "CCCCCCCC."},              // nor a line end
        {"\253Casa {N}x\273 y", "LLLLLLBNBLL.."},  // tags inside a link
        {"{@:ca}", "BNVVVB"},
        {"a {N b", "..EE.."},  // unclosed braces: the rest of the word
        {"{ZZ} {/O} {/FR}", "EEEE.EEEE.EEEEE"},
        {"\253a \273b", "LLLL."},
        {"a\273 \253b \253c\273", ".E.LLLELL"},  // a stray », a second « inside a link
        {"{L:Casa,ver}{}", "LLLLLLLLLLLLBB"},
        {"{O:x}1+{2}{/O}!", "BNNVBVVVVVBNNB."},
        {"{FR:1}{N}x{/FR}", "BNNNVBBNB.BNNNB"},
    };
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
        "a {O:x}\r\n1{/O}\r\n{FR:1}\r\n\253b\273{/FR}\r\n{TB:1}x{!}\r\ny{\\}\r\n\253"
        "c\r\n{ d\r\n",
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
            std::string shown(text.size(), '.');
            for (const MarkupSpan& s : part.spans) {
                shown.replace(s.begin, s.end - s.begin, s.end - s.begin,
                              "BNVCLE"[static_cast<int>(s.kind)]);
            }
            EXPECT_EQ(shown.substr(part.begin, part.end - part.begin),
                      whole.substr(part.begin, part.end - part.begin))
                << text << " at " << from;
        }
    }
}

}  // namespace
}  // namespace cartulo::richtext
