#include "windows/text_edit.h"

#include <algorithm>

namespace cartulo::windows {

namespace {

bool isBlankOrTab(QChar c) {
    return c == u' ' || c == u'\t';
}

// The end of the leading run of blanks and tabs from `from`, before `limit`.
qsizetype leadingRunEnd(const QString& text, qsizetype from, qsizetype limit) {
    while (from < limit && isBlankOrTab(text[from])) ++from;
    return from;
}

// Rewrites each line of the selected block with `line(block, start, end,
// out)`, where [start, end) excludes the line break, then re-selects the block.
template <typename EditLine>
void editSelectedLines(TextField& field, EditLine editLine) {
    SeleccionarLineas(field);
    const QString block = field.text.mid(field.selStart, field.selLength);
    QString out;
    out.reserve(block.size() + block.size() / 4);
    qsizetype lineStart = 0;
    while (true) {
        const qsizetype lf = block.indexOf(u'\n', lineStart);
        const qsizetype lineEnd = lf < 0 ? block.size() : lf + 1;
        editLine(block, lineStart, lineEnd, lf < 0, out);
        if (lf < 0) break;
        lineStart = lf + 1;
    }
    field.text.replace(field.selStart, field.selLength, out);
    field.selLength = out.size();
}

}  // namespace

void SeleccionarLineas(TextField& field) {
    const QString& text = field.text;
    const qsizetype n = text.size();
    const qsizetype selStart = std::clamp<qsizetype>(field.selStart, 0, n);
    const qsizetype selEnd = std::clamp<qsizetype>(selStart + field.selLength, selStart, n);

    const qsizetype lf = selStart > 0 ? text.lastIndexOf(u'\n', selStart - 1) : -1;
    const qsizetype start = lf + 1;

    // From the character before the last selected one (before the caret when
    // nothing is selected) to the next CR, so a selection that ends with a
    // line break keeps its end.
    const qsizetype scan = std::max<qsizetype>(selEnd > selStart ? selEnd - 2 : selStart - 1, 0);
    const qsizetype cr = text.indexOf(u'\r', scan);
    qsizetype end = n;
    if (cr >= 0) end = cr + 1 < n && text[cr + 1] == u'\n' ? cr + 2 : cr + 1;

    field.selStart = start;
    field.selLength = std::max(end, start) - start;
}

void IdentarSeleccion(TextField& field, qsizetype width) {
    const QString pad(width, u' ');
    editSelectedLines(field, [&pad](const QString& block, qsizetype start, qsizetype end, bool last,
                                    QString& out) {
        const qsizetype first = leadingRunEnd(block, start, end);
        // A last line with nothing but blanks, or nothing at all, stays as it is.
        if (!(last && first == end)) {
            out += QStringView(block).mid(start, first - start);
            out += pad;
            start = first;
        }
        out += QStringView(block).mid(start, end - start);
    });
}

void DesidentarSeleccion(TextField& field, qsizetype width) {
    editSelectedLines(
        field, [width](const QString& block, qsizetype start, qsizetype end, bool, QString& out) {
            const qsizetype runEnd = leadingRunEnd(block, start, end);
            if (runEnd == start || block[runEnd - 1] == u'\t') {
                out += QStringView(block).mid(start, end - start);
                return;
            }
            // The blanks after the last tab of the leading run.
            qsizetype blanks = runEnd;
            while (blanks > start && block[blanks - 1] == u' ') --blanks;
            const qsizetype removed = std::min(runEnd - blanks, width);
            out += QStringView(block).mid(start, blanks - start);
            out += QStringView(block).mid(blanks + removed, end - blanks - removed);
        });
}

void RepetirIdentado(TextField& field) {
    const qsizetype caret = field.selStart;
    if (caret <= 2 || caret > field.text.size()) return;
    // The line before the CR LF just typed.
    const qsizetype lineStart = field.text.lastIndexOf(u'\n', caret - 3) + 1;
    const qsizetype runEnd = leadingRunEnd(field.text, lineStart, caret);
    if (runEnd == lineStart) return;
    const QString indent = field.text.mid(lineStart, runEnd - lineStart);
    field.text.replace(caret, field.selLength, indent);
    field.selStart = caret + indent.size();
    field.selLength = 0;
}

}  // namespace cartulo::windows
