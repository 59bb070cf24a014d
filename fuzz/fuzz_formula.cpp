// The formula reader on arbitrary text: Size on the fake surface ends with
// a result or a FormulaError, a failed Size keeps the last results, and when
// Size succeeds, Draw succeeds too and leaves the font as it found it. The
// first byte picks the scale mode and the index and limit scales.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "formula/formula_error.h"
#include "formula/vizur_uzedevi_vivadiz.h"
#include "platform/fake_surface.h"

namespace {

void Require(bool ok) {
    if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t options = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    constexpr cartulo::ScaleMode kModes[] = {cartulo::ScaleMode::Pixels, cartulo::ScaleMode::Twips,
                                             cartulo::ScaleMode::Points, cartulo::ScaleMode::User};
    cartulo::FakeSurface surface(1000, 1000, kModes[options & 3]);
    cartulo::cVizurUzedeviVivadiz formula;
    formula.Surface = &surface;
    formula.IndexScale = 0.2f + static_cast<float>((options >> 2) & 7) * 0.2f;
    formula.LimitScale = 0.2f + static_cast<float>(options >> 5) * 0.2f;
    const cartulo::FontState before = surface.Font();

    formula.Init(text);
    try {
        formula.Size();
    } catch (const cartulo::FormulaError& e) {
        Require(e.Number() == -1 && !e.Description().empty());
        Require(formula.Width() == 0 && formula.Ascent() == 0 && formula.Descent() == 0);
        return 0;
    }
    Require(std::isfinite(formula.Width()) && formula.Width() >= 0);
    Require(std::isfinite(formula.Ascent()) && std::isfinite(formula.Descent()));
    Require(formula.Ascent() + formula.Descent() >= -1e-3f);
    const cartulo::FontState& after = surface.Font();
    Require(after.name == before.name && after.size == before.size &&
            after.charset == before.charset && after.italic == before.italic);
    // Painting follows the same procedure, so it cannot fail where Size did not.
    formula.Draw(10, 500);
    Require(surface.Font().size == before.size && surface.DrawWidth() == 1);
    return 0;
}
