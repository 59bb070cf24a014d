// Formulas and drawing scripts as SVG, drawn by the same engines that paint
// them on screen through a Qt surface over QSvgGenerator: text stays text,
// so it is sharp at any zoom and can be selected.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/surface.h"

namespace cartulo::exporting {

struct SvgImage {
    std::string svg;   // a whole SVG document, UTF-8
    double width = 0;  // CSS pixels
    double height = 0;
    double descent = 0;  // below the text's baseline, for a formula
};

// Needs a QGuiApplication. Nothing when the formula has an error.
std::optional<SvgImage> FormulaSvg(std::string_view formula, const FontState& font, Color color);
// A script's drawing in a box of that many CSS pixels.
SvgImage DrawingSvg(std::string_view script, double width, double height);

}  // namespace cartulo::exporting
