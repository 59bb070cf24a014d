// ctu formula: a formula typeset into a tight PNG, offscreen, or only
// checked, its error description reported without writing anything.
#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "cli/card_file.h"
#include "cli/card_text.h"
#include "cli/commands.h"
#include "cli/display_text.h"
#include "cli/exit_code.h"
#include "cli/offscreen_png.h"
#include "engine/file_io.h"
#include "formula/formula_error.h"
#include "formula/vizur_uzedevi_vivadiz.h"
#include "platform/fake_surface.h"
#include "platform/qt_surface.h"

namespace ctu {
namespace {

// Large enough to read a formula's details on screen.
constexpr const char* kFontName = "Times New Roman";
constexpr double kFontSize = 24;  // points
constexpr int kPadding = 4;       // pixels of white around the formula
// QPainter's coordinates are safe up to this many pixels a side, and a
// formula gets no more than 256 MB of pixels.
constexpr int kMaxSide = 32767;
constexpr long long kMaxPixels = 64LL << 20;

void setFont(cartulo::Surface& surface) {
    surface.SetFontName(kFontName);
    surface.SetFontSize(kFontSize);
    surface.SetFontTransparent(true);
}

[[noreturn]] void refuse(const cartulo::FormulaError& error) {
    throw Failure(ExitCode::Refused, toUtf8(error.Description()));
}

int pixels(double extent, int most) {
    if (!std::isfinite(extent)) return most;
    return static_cast<int>(std::clamp(std::ceil(extent), 0.0, static_cast<double>(most)));
}

QImage renderFormula(const std::string& text) {
    cartulo::cVizurUzedeviVivadiz formula;
    formula.Init(text);
    QImage ruler(1, 1, QImage::Format_RGB32);
    {
        cartulo::platform::QtSurface measuring(ruler);
        setFont(measuring);
        formula.Surface = &measuring;
        try {
            formula.Size();
        } catch (const cartulo::FormulaError& error) {
            refuse(error);
        }
        formula.Surface = nullptr;
    }
    const int width = pixels(formula.Width(), kMaxSide - 2 * kPadding) + 2 * kPadding;
    const int tallest = static_cast<int>(std::min<long long>(kMaxSide, kMaxPixels / width));
    const int height =
        pixels(formula.Ascent() + formula.Descent(), tallest - 2 * kPadding) + 2 * kPadding;

    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        throw Failure(ExitCode::FileError, "No hay memoria para una imagen de " +
                                               std::to_string(width) + " x " +
                                               std::to_string(height) + " píxeles.");
    }
    image.fill(Qt::white);
    cartulo::platform::QtSurface surface(image);
    setFont(surface);
    surface.SetForeColor(cartulo::Rgb(0, 0, 0));
    formula.Surface = &surface;
    try {
        formula.Draw(kPadding, static_cast<float>(kPadding) + formula.Ascent());
    } catch (const cartulo::FormulaError& error) {
        refuse(error);
    }
    formula.Surface = nullptr;
    surface.End();
    return image;
}

}  // namespace

void runFormula(const CommandLine& line, Streams& io) {
    if (line.check == line.out.has_value()) {
        throw Failure(ExitCode::Usage, "Use --out PNG o --check (una de las dos).");
    }
    const std::string text = storable(line.operands[0], "La fórmula");
    if (line.check) {
        // The errors do not hang on the fonts: the fixed-metric surface will do.
        cartulo::FakeSurface surface(1, 1);
        cartulo::cVizurUzedeviVivadiz formula;
        formula.Surface = &surface;
        formula.Init(text);
        try {
            formula.Size();
            formula.Draw(0, 0);
        } catch (const cartulo::FormulaError& error) {
            refuse(error);
        }
        io.out << "Fórmula correcta.\n";
        return;
    }
    OffscreenGui gui;
    const QImage image = renderFormula(text);
    writePng(image, *line.out);
}

}  // namespace ctu
