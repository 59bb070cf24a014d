// The formulas and embedded objects of the line being laid out: layout
// fills the slots in text order and painting reads them back in the same
// order, so a formula is typeset once and painted with the same object.
#pragma once

#include <string>
#include <vector>

#include "formula/vizur_uzedevi_vivadiz.h"
#include "platform/surface.h"

namespace cartulo::richtext {

// A line typesets at most this many formulas and sizes at most this many
// objects; the ones after are skipped (no room, no ink).
inline constexpr int kMaxLineFormulas = 10;
inline constexpr int kMaxLineObjects = 100;

// The room a formula or an object takes in its line, in scale units.
struct InlineBox {
    double width = 0;
    double ascent = 0;   // above the baseline
    double descent = 0;  // below it
};

// How many slots of each kind the line has used so far.
struct InlineCounters {
    int formulas = 0;
    int objects = 0;
};

struct FormulaSlot {
    cVizurUzedeviVivadiz formula;
    bool measured = false;  // false: Size failed, nothing is painted
};

struct ObjectSlot {
    float width = 0;  // scale units, never negative
    float height = 0;
    std::string type;
    std::string parameters;
    std::string body;
};

struct InlineSlots {
    InlineCounters counters;
    // Grown on demand and kept, so later lines reuse what earlier ones made.
    std::vector<FormulaSlot> formulas;
    std::vector<ObjectSlot> objects;
};

// The surface settings a formula or an object may change, put back when
// it is done: the font (a formula leaves it as its last construct set
// it), the colours, the fill style and the line width.
class SurfaceSettingsKeeper {
  public:
    explicit SurfaceSettingsKeeper(Surface& s)
        : s_(s),
          font_(s.Font()),
          fore_(s.ForeColor()),
          fill_(s.FillColor()),
          fillStyle_(s.GetFillStyle()),
          drawWidth_(s.DrawWidth()) {}
    ~SurfaceSettingsKeeper() {
        s_.SetFontName(font_.name);
        s_.SetFontSize(font_.size);
        s_.SetFontBold(font_.bold);
        s_.SetFontItalic(font_.italic);
        s_.SetFontUnderline(font_.underline);
        s_.SetFontStrikethrough(font_.strikethrough);
        s_.SetFontCharset(font_.charset);
        s_.SetForeColor(fore_);
        s_.SetFillColor(fill_);
        s_.SetFillStyle(fillStyle_);
        s_.SetDrawWidth(drawWidth_);
    }
    SurfaceSettingsKeeper(const SurfaceSettingsKeeper&) = delete;
    SurfaceSettingsKeeper& operator=(const SurfaceSettingsKeeper&) = delete;

  private:
    Surface& s_;
    FontState font_;
    Color fore_, fill_;
    FillStyle fillStyle_;
    int drawWidth_;
};

}  // namespace cartulo::richtext
