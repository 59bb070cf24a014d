#include "richtext/table_cells.h"

#include <algorithm>
#include <cmath>

#include "richtext/markup_chars.h"
#include "richtext/markup_reader.h"
#include "richtext/tag_kind.h"
#include "richtext/tag_params.h"

namespace cartulo::richtext {

namespace {

constexpr std::string_view kCellEnd = "{!}";
constexpr std::string_view kRowEnd = "{-}";

int count(std::string_view text) {
    const double n = RoundHalfEven(ParseNumber(text));
    return static_cast<int>(std::clamp(n, 0.0, static_cast<double>(kMaxTableCells)));
}

// The cell alignment an {J:n} value stands for: 0 left, 1 right, else centred.
int cellAlign(double align) {
    return align == 0 ? 0 : align == 1 ? 1 : 2;
}

// Leading style tags (and comments) are skipped to find the cell's first
// item; {J:n} and {J} among them set the cell's alignment.
void readLead(cZuzodIvodureCell& cell, int defaultAlign) {
    const std::string_view text = cell.text;
    std::size_t i = 0;
    while (i < text.size() && text[i] == '{') {
        const std::size_t end = CellTagEnd(text, i);
        if (end == std::string_view::npos) break;
        Piece piece;
        if (ReadTag(text.substr(i, end - i), piece)) {
            const TagKind kind = KindOfTag(piece.name);
            if (kind == TagKind::Align) {
                const double align =
                    HasValue(piece.name) ? RoundHalfEven(ParseNumber(piece.value)) : defaultAlign;
                if (align >= 0 && align <= 3) cell.align = cellAlign(align);
            } else if (kind != TagKind::Bold && kind != TagKind::Italic &&
                       kind != TagKind::Underline && kind != TagKind::Color) {
                break;
            }
        }
        i = end;
    }
    cell.lead = i;
}

CellKind kindOf(std::string_view content) {
    if (content.empty()) return CellKind::Empty;
    if (content[0] == kOpenQuote) {
        return content.find(kCloseQuote, 1) == std::string_view::npos ? CellKind::Text
                                                                      : CellKind::QuotedLink;
    }
    Piece piece;
    const std::size_t end = content[0] == '{' ? CellTagEnd(content, 0) : std::string_view::npos;
    if (end == std::string_view::npos || !ReadTag(content.substr(0, end), piece)) {
        return CellKind::Text;
    }
    switch (KindOfTag(piece.name)) {
        case TagKind::Picture:
            return CellKind::Picture;
        case TagKind::Button:
            return CellKind::Button;
        case TagKind::Link:
            return CellKind::Link;
        case TagKind::Formula:
            return CellKind::Formula;
        case TagKind::Object:
            return CellKind::Object;
        default:
            return CellKind::Text;
    }
}

}  // namespace

TableTag ReadTableTag(std::string_view value) {
    TableTag tag;
    tag.cols = count(GetParam(value, 1));
    // Without a rows count there is no table.
    if (TrimBlanks(GetParam(value, 2)).empty()) return tag;
    tag.rows = count(GetParam(value, 2));
    tag.colour = TrimBlanks(GetParam(value, 3));
    const std::string_view width = TrimBlanks(GetParam(value, 4));
    if (!width.empty()) tag.borderWidth = BorderWidthPixels(ParseNumber(width));
    return tag;
}

int BorderWidthPixels(double pixels) {
    if (!std::isfinite(pixels)) return 0;
    const double n = RoundHalfEven(pixels);
    return static_cast<int>(std::clamp(n, 0.0, static_cast<double>(kMaxBorderWidth)));
}

std::size_t CellTagEnd(std::string_view text, std::size_t i) {
    if (i + 1 < text.size() && text[i + 1] == '*') {
        const std::size_t close = text.find("*}", i + 2);
        return close == std::string_view::npos ? close : close + 2;
    }
    const std::size_t close = text.find('}', i + 1);
    return close == std::string_view::npos ? close : close + 1;
}

std::string_view CellContent(const cZuzodIvodureCell& cell) {
    const std::string_view content = std::string_view(cell.text).substr(cell.lead);
    switch (cell.kind) {
        case CellKind::Empty:
            return {};
        case CellKind::Text:
            return content;
        case CellKind::QuotedLink:
            return content.substr(1, content.find(kCloseQuote, 1) - 1);
        default:
            break;
    }
    Piece piece;
    ReadTag(content.substr(0, CellTagEnd(content, 0)), piece);
    return piece.value;
}

std::string_view CellObjectBody(const cZuzodIvodureCell& cell) {
    const std::string_view content = std::string_view(cell.text).substr(cell.lead);
    const std::size_t start = CellTagEnd(content, 0);
    if (cell.kind != CellKind::Object || start == std::string_view::npos) return {};
    // As in running text: {/O} in any case ends it, and another {O: first
    // leaves the object without a body.
    for (std::size_t i = content.find('{', start); i != std::string_view::npos;
         i = content.find('{', i + 1)) {
        const std::string_view rest = content.substr(i);
        if (StartsWithNoCase(rest, "{/O}")) return content.substr(start, i - start);
        if (StartsWithNoCase(rest, "{O:")) return {};
    }
    return {};
}

TableGrid::TableGrid(int cols, int rows)
    : cols_(std::clamp(cols, 0, kMaxTableCells)),
      rows_(std::clamp(rows, 0, kMaxTableCells)),
      cells_(static_cast<std::size_t>(cols_ + 1) * static_cast<std::size_t>(rows_ + 1)) {}

void FillCells(std::string_view body, TableGrid& grid, int defaultAlign) {
    int col = 1;
    int row = 1;
    std::size_t start = 0;
    std::size_t search = 0;
    while (row <= grid.Rows()) {
        // One pass over the body: each brace is looked at once.
        std::size_t sep = body.find('{', search);
        while (sep != std::string_view::npos && body.substr(sep, 3) != kCellEnd &&
               body.substr(sep, 3) != kRowEnd) {
            sep = body.find('{', sep + 1);
        }
        std::string_view text =
            body.substr(start, sep == std::string_view::npos ? sep : sep - start);
        const bool lineFirst = IsCrLfAt(text, 0);
        if (lineFirst) text.remove_prefix(2);
        if (col <= grid.Cols()) {
            cZuzodIvodureCell& cell = grid.At(col, row);
            cell.text = std::string(text);
            cell.at = start + (lineFirst ? 2 : 0);
            readLead(cell, defaultAlign);
            cell.kind = kindOf(std::string_view(cell.text).substr(cell.lead));
        }
        if (sep == std::string_view::npos) return;
        ++col;
        if (body[sep + 1] == '-') {
            ++row;
            col = 1;
        }
        start = search = sep + 3;
    }
}

}  // namespace cartulo::richtext
