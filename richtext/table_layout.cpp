// Tables: every cell measured, columns and rows sized to their largest
// cell, the table placed by the alignment in force, its borders drawn and
// each cell painted in its box. A table fills lines of its own.
#include <algorithm>
#include <optional>
#include <string>
#include <tuple>

#include "richtext/color_notation.h"
#include "richtext/markup_chars.h"
#include "richtext/scale_units.h"
#include "richtext/table_cells.h"
#include "richtext/tag_kind.h"
#include "richtext/tag_params.h"
#include "richtext/zuzod_ivodure.h"

namespace cartulo {

using namespace richtext;

namespace {

constexpr std::string_view kTableStart = "{TB:";
constexpr std::string_view kTableEnd = "{\\}";
constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

bool cZuzodIvodure::layoutTables(double& y, bool measureOnly, double limit, bool& pageUsed) {
    while (StartsWithNoCase(std::string_view(text_).substr(pos_), kTableStart)) {
        const std::size_t start = pos_;
        if (!layoutTable(y, measureOnly, limit, pageUsed)) {
            pos_ = start;
            return false;
        }
    }
    return true;
}

bool cZuzodIvodure::layoutTable(double& y, bool measureOnly, double limit, bool& pageUsed) {
    Surface& s = *surface_;
    const std::size_t start = pos_;
    const std::size_t end = text_.find(kTableEnd, start);
    if (end == std::string::npos) {
        // Without its end a table takes the rest of the text with it.
        pos_ = text_.size();
        return true;
    }
    pos_ = end + kTableEnd.size();
    if (IsCrLfAt(text_, pos_)) pos_ += kLineEnd.size();

    // A tag that runs into the {\} has no rows count.
    const std::size_t close = text_.find('}', start);
    if (close >= end) return true;
    const std::string_view view(text_);
    const TableTag tag = ReadTableTag(
        TrimBlanks(view.substr(start + kTableStart.size(), close - start - kTableStart.size())));
    if (tag.cols == 0 || tag.rows == 0) return true;
    TableGrid grid(tag.cols, tag.rows);
    FillCells(view.substr(close + 1, end - close - 1), grid, DefaultAlign);

    std::optional<Color> colour;
    if (!tag.colour.empty()) {
        const Color parsed = ParseColor(tag.colour, {s.ForeColor(), DefaultColor});
        if (parsed == kInvalidColor) {
            errors_.Add(std::string(message::kInvalidColor) + std::string(tag.colour));
        } else {
            colour = parsed;
        }
    }
    const double border =
        PixelsToScale(tag.borderWidth.value_or(BorderWidthPixels(DefaultBorderWidth)));

    // Cells start from the style in force and leave nothing behind them.
    const StyleSnapshot style = takeSnapshot();
    // Cells take the line's next formula and object slots as they are
    // measured, and paint with them in the same order.
    const InlineCounters slots = inlineCounters();
    for (int r = 1; r <= grid.Rows(); ++r) {
        for (int c = 1; c <= grid.Cols(); ++c) {
            restoreSnapshot(style);
            measureCell(grid.At(c, r));
        }
    }
    restoreSnapshot(style);

    // Neighbouring boxes overlap by a border, so that they share it.
    const double padding = PixelsToScale(10) + 2 * border;
    cZuzodIvodureCell& whole = grid.At(0, 0);
    double x = 0;
    for (int c = 1; c <= grid.Cols(); ++c) {
        double widest = 0;
        for (int r = 1; r <= grid.Rows(); ++r) widest = std::max(widest, grid.At(c, r).width);
        cZuzodIvodureCell& column = grid.At(c, 0);
        column.width = widest + padding;
        column.place = x;
        whole.width = x + column.width;
        x += column.width - border;
    }
    double top = 0;
    for (int r = 1; r <= grid.Rows(); ++r) {
        double tallest = 0;
        for (int c = 1; c <= grid.Cols(); ++c) tallest = std::max(tallest, grid.At(c, r).height);
        cZuzodIvodureCell& row = grid.At(0, r);
        row.height = tallest + padding;
        row.place = top;
        whole.height = top + row.height;
        top += row.height - border;
    }

    const double width = s.ScaleWidth();
    const double originX =
        align_ == 0   ? margins_.first
        : align_ == 1 ? width - margins_.right - whole.width
                      : margins_.left + (width - margins_.right - margins_.left - whole.width) / 2;
    const double originY = y + (measureOnly ? 0 : moveDown_);
    // A table that does not fit waits for the next page, unless nothing
    // stands above it there either: then it is painted and cut.
    if (originY + whole.height > limit && pageUsed) return false;

    if (!measureOnly) {
        if (colour) drawTableBorders(grid, originX, originY, *colour, border);
        setInlineCounters(slots);
        const ZoneSilence silence(*this);
        for (int r = 1; r <= grid.Rows(); ++r) {
            for (int c = 1; c <= grid.Cols(); ++c) {
                restoreSnapshot(style);
                const cZuzodIvodureCell& column = grid.At(c, 0);
                const cZuzodIvodureCell& row = grid.At(0, r);
                paintCell(grid.At(c, r), originX + column.place, originY + row.place, column.width,
                          row.height, border);
            }
        }
        restoreSnapshot(style);
        paintedBottom_ = std::max(paintedBottom_, originY + whole.height);
    }
    setInlineCounters(slots);
    y += whole.height + border + margins_.paragraph;
    pageUsed = true;
    return true;
}

void cZuzodIvodure::applyCellLead(const cZuzodIvodureCell& cell, bool report) {
    const std::string_view lead = std::string_view(cell.text).substr(0, cell.lead);
    for (std::size_t i = 0; i < lead.size();) {
        const std::size_t end = CellTagEnd(lead, i);
        Piece piece;
        // {J:} aligns the cell, not the text after the table.
        if (ReadTag(lead.substr(i, end - i), piece) && KindOfTag(piece.name) != TagKind::Align) {
            applyStyleTag(piece, report);
        }
        i = end;
    }
}

void cZuzodIvodure::measureCell(cZuzodIvodureCell& cell) {
    applyCellLead(cell, true);
    const std::string_view content = CellContent(cell);
    Surface& s = *surface_;
    switch (cell.kind) {
        case CellKind::Empty:
            break;
        case CellKind::Text:
            std::tie(cell.width, cell.height) = cellText(content, nullptr);
            break;
        case CellKind::Picture:
        case CellKind::Button: {
            const auto picture =
                GetPicture(cell.kind == CellKind::Picture ? content : GetParam(content, 1));
            if (!picture) break;
            cell.width = PictureToScale(s, picture->Width());
            cell.height = PictureToScale(s, picture->Height());
            break;
        }
        case CellKind::QuotedLink:
        case CellKind::Link:
            s.SetFontUnderline(true);
            s.SetForeColor(HT_Color);
            std::tie(cell.width, cell.height) =
                cellText(cell.kind == CellKind::Link ? GetParamRest(content, 2) : content, nullptr);
            break;
        case CellKind::Formula:
        case CellKind::Object:
            // Past the line's slots, or when a formula fails, 0 x 0.
            if (const auto box = cell.kind == CellKind::Formula
                                     ? layoutFormula(content)
                                     : layoutObject(content, CellObjectBody(cell))) {
                cell.width = box->width;
                cell.height = box->ascent + box->descent;
                cell.ascent = box->ascent;
            }
            break;
    }
}

void cZuzodIvodure::paintCell(const cZuzodIvodureCell& cell, double x, double y, double width,
                              double height, double border) {
    applyCellLead(cell, false);
    const double left = cell.align == 0   ? x + PixelsToScale(6) + border
                        : cell.align == 1 ? x + width - cell.width - PixelsToScale(4) - border
                                          : x + (width - cell.width) / 2 + PixelsToScale(1);
    const double top = y + (height - cell.height) / 2;
    const std::string_view content = CellContent(cell);
    const PointF at{left, top};
    Surface& s = *surface_;
    switch (cell.kind) {
        case CellKind::Empty:
            break;
        case CellKind::Text:
            cellText(content, &at);
            break;
        case CellKind::Picture:
        case CellKind::Button:
            if (const auto picture =
                    GetPicture(cell.kind == CellKind::Picture ? content : GetParam(content, 1))) {
                DrawPicture(*picture, left, top);
            }
            break;
        case CellKind::QuotedLink:
        case CellKind::Link:
            s.SetFontUnderline(true);
            s.SetForeColor(HT_Color);
            cellText(cell.kind == CellKind::Link ? GetParamRest(content, 2) : content, &at);
            break;
        case CellKind::Formula:
            paintFormula(left, top + cell.ascent);  // on its baseline
            break;
        case CellKind::Object:
            paintObject(left, top + cell.ascent);
            break;
    }
}

std::pair<double, double> cZuzodIvodure::cellText(std::string_view text, const PointF* at) {
    double width = 0;
    double height = 0;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(kLineEnd, start);
        const std::string_view line = text.substr(start, end - start);
        const StyleSnapshot lineStyle = takeSnapshot();
        TokenMetrics metrics;
        cellLine(line, metrics, nullptr);
        if (at) {
            restoreSnapshot(lineStyle);
            surface_->SetCurrentX(at->x);
            const double baseline = at->y + height + metrics.ascent;
            cellLine(line, metrics, &baseline);
        }
        width = std::max(width, metrics.width);
        height += metrics.ascent + metrics.descent;
        if (end == std::string_view::npos) break;
        start = end + kLineEnd.size();
    }
    return {width, height};
}

// One line of a cell's text, measured into metrics, or printed on the
// baseline given. Style tags act, an expression shows its value, other
// tags show nothing; errors are reported while measuring.
void cZuzodIvodure::cellLine(std::string_view line, TokenMetrics& metrics, const double* baseline) {
    Surface& s = *surface_;
    bool printed = false;
    auto run = [&](std::string_view text) {
        if (text.empty()) return;
        printed = true;
        if (baseline) {
            s.SetCurrentY(*baseline - FontAscent(s));
            s.Print(text);
            return;
        }
        metrics.width += s.TextWidth(text);
        const double ascent = FontAscent(s);
        metrics.Room(ascent, LineHeight(s) - ascent);
    };
    for (std::size_t i = 0; i < line.size();) {
        const std::size_t brace = line.find('{', i);
        run(line.substr(i, brace - i));
        if (brace == std::string_view::npos) break;
        const std::size_t end = CellTagEnd(line, brace);
        if (end == std::string_view::npos) {
            run(line.substr(brace));  // an unclosed brace shows as written
            break;
        }
        Piece piece;
        if (ReadTag(line.substr(brace, end - brace), piece)) {
            switch (KindOfTag(piece.name)) {
                case TagKind::Bold:
                case TagKind::Italic:
                case TagKind::Underline:
                case TagKind::Color:
                case TagKind::Font:
                case TagKind::Size:
                    applyStyleTag(piece, !baseline);
                    break;
                case TagKind::Expression:
                    run(evaluate(piece.value));
                    break;
                case TagKind::Unknown:
                    if (!baseline) {
                        errors_.Add(std::string(message::kInvalidTag) + std::string(piece.name));
                    }
                    break;
                default:
                    break;
            }
        }
        i = end;
    }
    // A line with nothing to show is as tall as the font it ends in.
    if (!printed && !baseline) {
        const double ascent = FontAscent(s);
        metrics.Room(ascent, LineHeight(s) - ascent);
    }
}

}  // namespace cartulo
