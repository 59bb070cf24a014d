// The pieces of a table that need no surface: its tag, its grid of cells
// and what each cell holds.
//
//   {TB:cols,rows[,colour[,width]]} cell{!}cell{-}cell{!}cell{\}
//
// {!} ends a cell, {-} a row; the table ends at the first {\}.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cartulo {

// What a cell shows, decided by its first item after its leading style tags.
enum class CellKind : std::int16_t {
    Empty = 0,       // nothing usable
    Text = 1,        // plain text; CR LF starts a line of the cell; nothing wraps
    Picture = 2,     // {G:image}
    Button = 3,      // {B:...}, shown but not clickable
    QuotedLink = 4,  // «target», shown but not clickable
    Link = 5,        // {L:target,text}, shown but not clickable
    Formula = 6,     // {FO:formula}
    Object = 7,      // {O:w,h,type,parameters} body {/O}
};

// One cell of a table's grid (surface units). Content cells (c, r >= 1)
// hold their markup, kind and content size; row 0 holds the columns (width,
// and x in place), column 0 the rows (height, and y in place), and (0, 0)
// the whole table's width and height.
struct cZuzodIvodureCell {
    std::string text;  // the cell's markup, without the CR LF it may start with
    CellKind kind = CellKind::Empty;
    double width = 0;
    double height = 0;
    double ascent = 0;     // the part of height above a formula's baseline
    double place = 0;      // a column's x or a row's y, from the table's origin
    std::size_t lead = 0;  // length of the leading style tags in text
    std::size_t at = 0;    // where text starts in the table's body
    int align = 2;         // 0 left, 1 right, 2 centred
};

namespace richtext {

// Counts of columns and rows are cut to this.
inline constexpr int kMaxTableCells = 20;
// Border widths in pixels are cut to this; a wider border is drawn (and
// sized) this wide. Borders are filled bands, so the width costs nothing.
inline constexpr int kMaxBorderWidth = 100;

struct TableTag {
    int cols = 0;  // 0 to kMaxTableCells; a table without columns or rows draws nothing
    int rows = 0;
    std::string_view colour;         // as written; empty: no borders
    std::optional<int> borderWidth;  // pixels, 0 to kMaxBorderWidth; none: the default
};

// The value of a {TB:} tag; negative or missing counts are 0.
TableTag ReadTableTag(std::string_view value);
// A border width in pixels, rounded and kept within 0 to kMaxBorderWidth.
int BorderWidthPixels(double pixels);

class TableGrid {
  public:
    TableGrid(int cols, int rows);
    int Cols() const { return cols_; }
    int Rows() const { return rows_; }
    // c from 0 to Cols(), r from 0 to Rows().
    cZuzodIvodureCell& At(int c, int r) { return cells_[index(c, r)]; }
    const cZuzodIvodureCell& At(int c, int r) const { return cells_[index(c, r)]; }

  private:
    std::size_t index(int c, int r) const {
        return static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_ + 1) +
               static_cast<std::size_t>(c);
    }
    int cols_, rows_;
    std::vector<cZuzodIvodureCell> cells_;
};

// What the cell's kind shows or is made from: the text of a text cell,
// the text between the quotes of a «target», the value of the tag of the
// other kinds (for an object, of its {O:} tag).
// The end (one past) of the tag or comment starting at i, or npos.
std::size_t CellTagEnd(std::string_view text, std::size_t i);
std::string_view CellContent(const cZuzodIvodureCell& cell);
// The body of an object cell: what follows its {O:} tag up to {/O}; empty
// without one, as in running text.
std::string_view CellObjectBody(const cZuzodIvodureCell& cell);

// Puts the body's cells into the grid, row by row: cells past the last
// column of a row and rows past the last are dropped. The text of every
// content cell is set; kind, lead and align come from it.
void FillCells(std::string_view body, TableGrid& grid, int defaultAlign);

}  // namespace richtext
}  // namespace cartulo
