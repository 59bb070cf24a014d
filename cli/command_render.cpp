#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QtGlobal>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "cli/card_engine.h"
#include "cli/card_file.h"
#include "cli/commands.h"
#include "cli/display_text.h"
#include "cli/exit_code.h"
#include "cli/offscreen_png.h"
#include "engine/file_io.h"
#include "engine/paths.h"
#include "platform/qt_picture.h"
#include "platform/qt_surface.h"
#include "platform/symbol_pictures.h"

namespace ctu {
namespace {

constexpr int kDefaultWidth = 800;
constexpr int kMaxWidth = 16384;
// QPainter's coordinates are safe up to this many pixels a side.
constexpr int kMaxHeight = 32767;
// A tall card at a large width could otherwise ask for gigabytes; 256 MB of
// pixels at most, and a card taller than that is cut at the bottom.
constexpr long long kMaxPixels = 64LL << 20;

int widthOption(const std::optional<std::string>& typed) {
    if (!typed) return kDefaultWidth;
    int width = 0;
    const char* end = typed->data() + typed->size();
    const auto [stop, error] = std::from_chars(typed->data(), end, width);
    if (error != std::errc() || stop != end || width < 1 || width > kMaxWidth) {
        throw Failure(ExitCode::Usage, "El ancho (--width) debe ser un número entero de 1 a " +
                                           std::to_string(kMaxWidth) + ".");
    }
    return width;
}

// Pictures named by a card are looked for beside the card file.
std::string cardFolder(const std::string& cardFile) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(cardFile, error);
    if (error) return cartulo::paths::DirectoryPart(cardFile);
    return absolute.parent_path().string();
}

QImage renderCard(const std::string& text, const std::string& folder, int width) {
    const auto symbols = cartulo::platform::MakeSymbolPictures();
    const auto renderer = makeCardRenderer(std::make_unique<cartulo::platform::QtPictureLoader>(),
                                           symbols.speaker, symbols.speakerPressed);
    renderer->SetBasePath(folder);
    // Lines off the surface cost only their layout, which the second
    // painting takes from the first.
    renderer->pMC().PaintOnlyVisible = true;

    // Painted first on one row of the same width and resolution: {VD:}
    // moves lines down only when painted, so measuring alone would cut
    // them off. The image holds the layout and every line painted.
    QImage ruler(width, 1, QImage::Format_RGB32);
    double height = 1;
    {
        cartulo::platform::QtSurface measuring(ruler);
        renderer->SetCtrl(&measuring);
        const float end = renderer->DrawText(text, 0, 0, 0, -1);
        const float size = std::max(end, renderer->pMC().PaintedBottom());
        if (std::isfinite(size)) height = std::ceil(size);
        renderer->SetCtrl(nullptr);
        measuring.End();
    }
    const long long tallest = std::min<long long>(kMaxHeight, kMaxPixels / width);
    const int rows = static_cast<int>(std::clamp<double>(height, 1, static_cast<double>(tallest)));

    QImage image(width, rows, QImage::Format_RGB32);
    if (image.isNull()) {
        throw Failure(ExitCode::FileError, "No hay memoria para una imagen de " +
                                               std::to_string(width) + " x " +
                                               std::to_string(rows) + " píxeles.");
    }
    image.fill(Qt::white);
    cartulo::platform::QtSurface surface(image);
    renderer->SetCtrl(&surface);
    renderer->DrawText(text, 0, 0, 0, -1);
    renderer->SetCtrl(nullptr);
    surface.End();
    return image;
}

}  // namespace

void runRender(const CommandLine& line, Streams&) {
    if (!line.out) throw Failure(ExitCode::Usage, "Falta la opción --out con el fichero PNG.");
    const int width = widthOption(line.width);
    const CardFile file(line.operands[0]);
    const cartulo::CardId card = file.find(line.operands[1]);
    const std::string text = file.cards().GetTxt(card);

    OffscreenGui gui;
    const QImage image = renderCard(text, cardFolder(file.path()), width);
    writePng(image, *line.out);
}

}  // namespace ctu
