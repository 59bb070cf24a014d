#include "export/svg_drawing.h"

#include <QBuffer>
#include <QImage>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>
#include <exception>

#include "drawscript/draw_script.h"
#include "export/font_family.h"
#include "formula/vizur_uzedevi_vivadiz.h"
#include "platform/qt_surface.h"

namespace cartulo::exporting {

namespace {

// CSS pixels: 96 to the inch, as the screen surface counts.
constexpr int kResolution = 96;
// Room around a formula, so italic overhangs are not cut.
constexpr double kPadding = 2;
// A drawing or formula larger than this is cut: a hostile size must not
// make a huge document.
constexpr double kMaxSide = 8192;

double side(double extent) {
    return std::isfinite(extent) ? std::clamp(std::ceil(extent), 1.0, kMaxSide) : 1.0;
}

void applyFont(Surface& surface, const FontState& font) {
    surface.SetFontName(font.name);
    surface.SetFontSize(font.size);
    surface.SetFontBold(font.bold);
    surface.SetFontItalic(font.italic);
    surface.SetFontTransparent(true);
}

// The SVG generator writes font names into attributes unescaped: only safe
// names reach it, whatever a script or a card asks for.
class SvgSurface final : public platform::QtSurface {
  public:
    using QtSurface::QtSurface;
    bool SetFontName(std::string_view name) override {
        return QtSurface::SetFontName(SafeFontFamily(name));
    }
};

template <typename Paint>
std::string paintSvg(double width, double height, Paint paint) {
    QBuffer buffer;
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setResolution(kResolution);
    generator.setSize(QSize(static_cast<int>(width), static_cast<int>(height)));
    generator.setViewBox(QRectF(0, 0, width, height));
    {
        SvgSurface surface(generator);
        paint(surface);
        surface.End();
    }
    return buffer.data().toStdString();
}

}  // namespace

std::optional<SvgImage> FormulaSvg(std::string_view text, const FontState& font, Color color) {
    cVizurUzedeviVivadiz formula;
    formula.Init(text);
    try {
        QImage ruler(1, 1, QImage::Format_RGB32);
        ruler.setDotsPerMeterX(3780);  // 96 dpi
        ruler.setDotsPerMeterY(3780);
        platform::QtSurface measuring(ruler);
        applyFont(measuring, font);
        formula.Surface = &measuring;
        formula.Size();
        formula.Surface = nullptr;
    } catch (const std::exception&) {
        return std::nullopt;
    }
    SvgImage image;
    image.width = side(formula.Width() + 2 * kPadding);
    image.height = side(formula.Ascent() + formula.Descent() + 2 * kPadding);
    image.descent = formula.Descent() + kPadding;
    bool drawn = true;
    image.svg = paintSvg(image.width, image.height, [&](platform::QtSurface& surface) {
        applyFont(surface, font);
        surface.SetForeColor(color);
        formula.Surface = &surface;
        try {
            formula.Draw(static_cast<float>(kPadding),
                         static_cast<float>(kPadding + formula.Ascent()));
        } catch (const std::exception&) {
            drawn = false;
        }
        formula.Surface = nullptr;
    });
    if (!drawn) return std::nullopt;
    return image;
}

SvgImage DrawingSvg(std::string_view script, double width, double height) {
    SvgImage image;
    image.width = side(width);
    image.height = side(height);
    image.svg = paintSvg(image.width, image.height, [&](platform::QtSurface& surface) {
        // Held on the heap: its path is large.
        auto drawing = std::make_unique<cDrawScript>();
        drawing->Surface = &surface;
        drawing->Script = std::string(script);
        try {
            drawing->Draw(0, 0, static_cast<float>(image.width), static_cast<float>(image.height));
        } catch (const std::exception&) {
            // What was drawn before the error stays, as on screen.
        }
    });
    return image;
}

}  // namespace cartulo::exporting
