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

void Lineas(TextField& f) {
    SeleccionarLineas(f);
}
void Identar(TextField& f) {
    IdentarSeleccion(f);
}
void Desidentar(TextField& f) {
    DesidentarSeleccion(f);
}

TEST(TextEdit, LinesIndentationAndOutdentationOfTheSelection) {
    const struct {
        void (*edit)(TextField&);
        const char* before;
        const char* after;
    } cases[] = {
        {Lineas, "ab[c]d\r\nef", "[abcd\r\n]ef"},
        {Lineas, "ab[]cd\r\nef", "[abcd\r\n]ef"},
        {Lineas, "a[b\r\nc]d\r\ne", "[ab\r\ncd\r\n]e"},
        {Lineas, "x\r\n[ab\r\n]cd", "x\r\n[ab\r\n]cd"},  // ending with a line break: kept
        {Lineas, "ab\r\n[]cd\r\n", "ab\r\n[cd\r\n]"},
        {Lineas, "a\r\nb[]c", "a\r\n[bc]"},
        {Lineas, "[]abc", "[abc]"},
        {Lineas, "[]", "[]"},
        // Indenting goes after the leading blanks and tabs.
        {Identar, "[ab\r\n  cd\r\n]", "[    ab\r\n      cd\r\n]"},
        {Identar, "\tx[]", "[\t    x]"},
        {Identar, "a[b\r\n]", "[    ab\r\n]"},  // the block's empty last line stays blank-free
        {Identar, "a[b\r\n  ]", "[    ab\r\n  ]"},
        {Identar, "p\r\n[q]\r\nr", "p\r\n[    q\r\n]r"},
        // Outdenting takes blanks after the last leading tab.
        {Desidentar, "[\tx\r\n]", "[\tx\r\n]"},  // a tab followed by text stays
        {Desidentar, "[  x\r\n]", "[x\r\n]"},    // fewer blanks than the width: all go
        {Desidentar, "[      x\r\n]", "[  x\r\n]"},
        {Desidentar, "[\t     x]", "[\t x]"},
        {Desidentar, "[ \tx]", "[ \tx]"},
        {Desidentar, "[x\r\n    y\r\n]", "[x\r\ny\r\n]"},
        // A new line carries the indentation of the line before.
        {RepetirIdentado, "  ab\r\n[]", "  ab\r\n  []"},
        {RepetirIdentado, "\t x\r\n[]rest", "\t x\r\n\t []rest"},
        {RepetirIdentado, "z\r\n  ab\r\n[]", "z\r\n  ab\r\n  []"},
        {RepetirIdentado, "ab\r\n[]", "ab\r\n[]"},
        {RepetirIdentado, "\r\n[]", "\r\n[]"},                // the caret is not beyond position 2
        {RepetirIdentado, "  a\r\n\r\n[]", "  a\r\n\r\n[]"},  // the line before is empty
    };
    for (const auto& c : cases) {
        TextField f = field(QString::fromUtf8(c.before));
        c.edit(f);
        EXPECT_EQ(marked(f), QString::fromUtf8(c.after)) << "from " << c.before;
    }
}

}  // namespace
}  // namespace cartulo::windows
