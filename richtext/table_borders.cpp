// Table borders: every cell box outlined by a band as wide as the border,
// in one colour or in the three-dimensional style. A band fills the same
// pixels as that many adjacent one-pixel outlines, at a cost that does not
// grow with the width.
#include "richtext/color_notation.h"
#include "richtext/table_cells.h"
#include "richtext/zuzod_ivodure.h"

namespace cartulo {

using namespace richtext;

namespace {

struct Box {
    double x, y, width, height;
};

// The band of width `band` just inside the box.
void fillBand(Surface& s, const Box& b, double band, Color colour) {
    s.Rectangle(b.x, b.y, b.x + b.width, b.y + band, colour, true);
    s.Rectangle(b.x, b.y + b.height - band, b.x + b.width, b.y + b.height, colour, true);
    s.Rectangle(b.x, b.y + band, b.x + band, b.y + b.height - band, colour, true);
    s.Rectangle(b.x + b.width - band, b.y + band, b.x + b.width, b.y + b.height - band, colour,
                true);
}

// A one-pixel ring `inset` inside the box: `topLeft` on its top and left
// sides, `bottomRight` on the others.
void ring(Surface& s, const Box& b, double inset, double pixel, Color topLeft, Color bottomRight) {
    const double x1 = b.x + inset;
    const double y1 = b.y + inset;
    const double x2 = b.x + b.width - inset - pixel;
    const double y2 = b.y + b.height - inset - pixel;
    s.Line(x1, y1, x2, y1, topLeft);
    s.Line(x1, y1, x1, y2, topLeft);
    s.Line(x1, y2, x2, y2, bottomRight);
    s.Line(x2, y1, x2, y2, bottomRight);
}

}  // namespace

void cZuzodIvodure::drawTableBorders(const TableGrid& grid, double x, double y, Color colour,
                                     double border) {
    if (!(border > 0)) return;
    Surface& s = *surface_;
    const int pen = s.DrawWidth();
    SetPenWidth();
    drawBorders(grid, x, y, colour, border);
    s.SetDrawWidth(pen);
}

void cZuzodIvodure::drawBorders(const TableGrid& grid, double x, double y, Color colour,
                                double border) {
    Surface& s = *surface_;
    auto box = [&](int c, int r) {
        const cZuzodIvodureCell& column = grid.At(c, 0);
        const cZuzodIvodureCell& row = grid.At(0, r);
        return Box{x + column.place, y + row.place, column.width, row.height};
    };
    const bool flat = colour != kColor3D;
    const Color face = flat ? colour : Palette()[7];
    for (int r = 1; r <= grid.Rows(); ++r) {
        for (int c = 1; c <= grid.Cols(); ++c) fillBand(s, box(c, r), border, face);
    }
    if (flat) return;

    // Three-dimensional: each cell sunken inside its band, the table raised
    // around them all.
    const Color light = Palette()[15];
    const Color dark = Palette()[8];
    const double pixel = PixelsToScale(1);
    for (int r = 1; r <= grid.Rows(); ++r) {
        for (int c = 1; c <= grid.Cols(); ++c) {
            ring(s, box(c, r), border - pixel, pixel, dark, light);
        }
    }
    const cZuzodIvodureCell& whole = grid.At(0, 0);
    ring(s, Box{x, y, whole.width, whole.height}, 0, pixel, light, dark);
}

}  // namespace cartulo
