#include "formula/vizur_uzedevi_vivadiz.h"

#include "formula/formula_error.h"
#include "formula/typesetter.h"

namespace cartulo {

cartulo::Surface& cVizurUzedeviVivadiz::surface() const {
    if (Surface == nullptr) RaiseFormulaError(formula_errors::kNoSurface);
    return *Surface;
}

// The axis lies half a line below the top of a text line, that is the font's
// ascent less half the line height above the baseline.
double cVizurUzedeviVivadiz::axisAboveBaseline() const {
    cartulo::Surface& s = surface();
    const double lineHeight = s.TextHeight(" ");
    const TextMetrics tm = s.GetTextMetrics();
    const double ascent = tm.height > 0 ? lineHeight * tm.ascent / tm.height : lineHeight / 2;
    return ascent - lineHeight / 2;
}

void cVizurUzedeviVivadiz::Size() {
    cartulo::Surface& s = surface();
    const double shift = axisAboveBaseline();
    formula::Typesetter typesetter(s, {IndexScale, LimitScale});
    const formula::Box box = typesetter.Measure(text_);
    // Only a finished measurement replaces the last one.
    width_ = static_cast<float>(box.width);
    ascent_ = static_cast<float>(box.above + shift);
    descent_ = static_cast<float>(box.below - shift);
}

void cVizurUzedeviVivadiz::Draw(float x, float y) {
    cartulo::Surface& s = surface();
    const double shift = axisAboveBaseline();
    formula::Typesetter typesetter(s, {IndexScale, LimitScale});
    typesetter.Paint(text_, x, y - shift);
}

}  // namespace cartulo
