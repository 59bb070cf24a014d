// ctu draw: a drawing script painted offscreen through the Qt surface into
// a PNG on white, or only run to see that it paints (--check).
#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QtGlobal>

#include <charconv>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/card_file.h"
#include "cli/card_text.h"
#include "cli/commands.h"
#include "cli/display_text.h"
#include "cli/exit_code.h"
#include "cli/offscreen_png.h"
#include "drawscript/draw_script.h"
#include "engine/file_io.h"
#include "platform/qt_surface.h"

namespace ctu {
namespace {

constexpr int kDefaultSide = 200;  // pixels, both ways
constexpr int kMaxSide = 16384;
// 256 MB of pixels at most, like ctu render.
constexpr long long kMaxPixels = 64LL << 20;

int sideOption(const std::optional<std::string>& typed, std::string_view option) {
    if (!typed) return kDefaultSide;
    int side = 0;
    const char* end = typed->data() + typed->size();
    const auto [stop, error] = std::from_chars(typed->data(), end, side);
    if (error != std::errc() || stop != end || side < 1 || side > kMaxSide) {
        throw Failure(ExitCode::Usage,
                      std::string("El ") + (option == "--width" ? "ancho" : "alto") + " (" +
                          std::string(option) + ") debe ser un número entero de 1 a " +
                          std::to_string(kMaxSide) + ".");
    }
    return side;
}

// The object's error reaches the user as the rich-text engine words it.
QImage paint(const std::string& script, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) {
        throw Failure(ExitCode::FileError, "No hay memoria para una imagen de " +
                                               std::to_string(width) + " x " +
                                               std::to_string(height) + " píxeles.");
    }
    image.fill(Qt::white);
    cartulo::platform::QtSurface surface(image);
    // Text over a drawing leaves the drawing visible, as in a card.
    surface.SetFontTransparent(true);
    cartulo::cDrawScript drawing;
    drawing.Surface = &surface;
    drawing.Script = script;
    try {
        drawing.Draw(0, 0, static_cast<float>(width), static_cast<float>(height));
    } catch (const std::exception& e) {
        throw Failure(ExitCode::Refused, std::string("Error de objeto: ") + e.what());
    }
    surface.End();
    return image;
}

}  // namespace

void runDraw(const CommandLine& line, Streams&) {
    if (line.out && line.check) throw Failure(ExitCode::Usage, "Use --out o --check, no las dos.");
    if (!line.out && !line.check) {
        throw Failure(ExitCode::Usage, "Falta la opción --out con el fichero PNG, o --check.");
    }
    const int width = sideOption(line.width, "--width");
    const int height = sideOption(line.height, "--height");
    if (static_cast<long long>(width) * height > kMaxPixels) {
        throw Failure(ExitCode::Usage,
                      "La imagen no puede pasar de " + std::to_string(kMaxPixels) + " píxeles.");
    }
    // As a card would hold it: Windows-1252 with CR LF line ends, which end
    // words where a lone LF would not.
    const std::string script = storable(withCrLf(line.operands[0]), "El guion");

    OffscreenGui gui;
    const QImage image = paint(script, width, height);
    if (line.out) writePng(image, *line.out);
}

}  // namespace ctu
