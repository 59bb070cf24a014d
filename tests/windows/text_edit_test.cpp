#include "windows/text_edit.h"

#include <gtest/gtest.h>

#include "fake_main_services.h"

namespace cartulo::windows {
namespace {

// A field written with its selection between "[" and "]".
TextField field(const QString& marked) {
    const qsizetype open = marked.indexOf(u'[');
    const qsizetype close = marked.indexOf(u']');
    QString text = marked;
    text.remove(close, 1);
    text.remove(open, 1);
    return {text, open, close - open - 1};
}

QString marked(const TextField& f) {
    QString out = f.text;
    out.insert(f.selStart + f.selLength, u']');
    out.insert(f.selStart, u'[');
    return out;
}

struct Case {
    const char* before;
    const char* after;
};

template <typename Edit>
void check(const std::vector<Case>& cases, Edit edit) {
    for (const Case& c : cases) {
        TextField f = field(QString::fromUtf8(c.before));
        edit(f);
        EXPECT_EQ(marked(f), QString::fromUtf8(c.after)) << "from " << c.before;
    }
}

TEST(TextEdit, SeleccionarLineasWidensToWholeLines) {
    check(
        {
            {"ab[c]d\r\nef", "[abcd\r\n]ef"},
            {"ab[]cd\r\nef", "[abcd\r\n]ef"},
            {"a[b\r\nc]d\r\ne", "[ab\r\ncd\r\n]e"},
            // A selection that ends with a line break keeps its end.
            {"x\r\n[ab\r\n]cd", "x\r\n[ab\r\n]cd"},
            {"ab\r\n[]cd\r\n", "ab\r\n[cd\r\n]"},
            {"a\r\nb[]c", "a\r\n[bc]"},
            {"[]abc", "[abc]"},
            {"[]", "[]"},
        },
        [](TextField& f) { SeleccionarLineas(f); });
}

TEST(TextEdit, IdentarSeleccionIndentsAfterTheLeadingBlanksAndTabs) {
    check(
        {
            {"[ab\r\n  cd\r\n]", "[    ab\r\n      cd\r\n]"},
            {"\tx[]", "[\t    x]"},
            // The empty last line of the block stays without blanks.
            {"a[b\r\n]", "[    ab\r\n]"},
            {"a[b\r\n  ]", "[    ab\r\n  ]"},
            {"p\r\n[q]\r\nr", "p\r\n[    q\r\n]r"},
        },
        [](TextField& f) { IdentarSeleccion(f); });
}

TEST(TextEdit, DesidentarSeleccionTakesBlanksAfterTheLastLeadingTab) {
    check(
        {
            {"[\tx\r\n]", "[\tx\r\n]"},  // a tab followed by text stays
            {"[  x\r\n]", "[x\r\n]"},    // fewer blanks than the width: all go
            {"[      x\r\n]", "[  x\r\n]"},
            {"[\t     x]", "[\t x]"},
            {"[ \tx]", "[ \tx]"},
            {"[x\r\n    y\r\n]", "[x\r\ny\r\n]"},
        },
        [](TextField& f) { DesidentarSeleccion(f); });
}

TEST(TextEdit, RepetirIdentadoCarriesTheIndentationOfTheLineBefore) {
    check(
        {
            {"  ab\r\n[]", "  ab\r\n  []"},
            {"\t x\r\n[]rest", "\t x\r\n\t []rest"},
            {"z\r\n  ab\r\n[]", "z\r\n  ab\r\n  []"},
            {"ab\r\n[]", "ab\r\n[]"},
            {"\r\n[]", "\r\n[]"},                // the caret is not beyond position 2
            {"  a\r\n\r\n[]", "  a\r\n\r\n[]"},  // the line before is empty
        },
        [](TextField& f) { RepetirIdentado(f); });
}

}  // namespace
}  // namespace cartulo::windows
