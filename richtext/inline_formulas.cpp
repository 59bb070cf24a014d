// Formulas in a line of text: typeset while the line is laid out, painted
// with the same objects, and the surface's settings kept around both.
#include <string>

#include "formula/formula_error.h"
#include "richtext/error_list.h"
#include "richtext/inline_slots.h"
#include "richtext/zuzod_ivodure.h"

namespace cartulo {

using namespace richtext;

std::optional<InlineBox> cZuzodIvodure::layoutFormula(std::string_view text) {
    InlineCounters& counters = inline_.counters;
    if (counters.formulas >= kMaxLineFormulas) return std::nullopt;
    const auto index = static_cast<std::size_t>(counters.formulas++);
    if (inline_.formulas.size() <= index) inline_.formulas.resize(index + 1);
    FormulaSlot& slot = inline_.formulas[index];
    slot.formula = cVizurUzedeviVivadiz{};
    slot.formula.Surface = surface_;
    slot.formula.Init(text);
    slot.measured = false;
    {
        const SurfaceSettingsKeeper keep(*surface_);
        try {
            slot.formula.Size();
            slot.measured = true;
        } catch (const FormulaError& error) {
            errors_.Add(std::string(message::kFormulaError) + std::string(error.Description()));
        }
    }
    if (!slot.measured) return std::nullopt;
    return InlineBox{slot.formula.Width(), slot.formula.Ascent(), slot.formula.Descent()};
}

double cZuzodIvodure::paintFormula(double x, double baseline) {
    InlineCounters& counters = inline_.counters;
    // Layout skipped the formulas past the limit; so does painting.
    if (counters.formulas >= kMaxLineFormulas) return 0;
    const auto index = static_cast<std::size_t>(counters.formulas++);
    if (index >= inline_.formulas.size()) return 0;
    FormulaSlot& slot = inline_.formulas[index];
    if (!slot.measured) return 0;
    slot.formula.Surface = surface_;
    const SurfaceSettingsKeeper keep(*surface_);
    try {
        slot.formula.Draw(static_cast<float>(x), static_cast<float>(baseline));
    } catch (const FormulaError&) {
        return 0;  // what could be measured but not painted is left out
    }
    return slot.formula.Width();
}

}  // namespace cartulo
