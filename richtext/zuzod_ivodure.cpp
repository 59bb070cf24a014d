#include "richtext/zuzod_ivodure.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <utility>

#include "richtext/image_cache.h"
#include "richtext/scale_units.h"
#include "richtext/tag_params.h"
#include "richtext/text_continuation.h"

namespace cartulo {

using namespace richtext;

float cZuzodIvodure::DrawText(std::string_view text, float y, float left, float right,
                              float bottom) {
    return static_cast<float>(renderText(text, y, left, right, bottom, false));
}

float cZuzodIvodure::SizeText(std::string_view text, float y, float left, float right,
                              float bottom) {
    return static_cast<float>(renderText(text, y, left, right, bottom, true) - y);
}

std::string cZuzodIvodure::CutAt(std::string_view text, std::size_t position) {
    return richtext::CutAt(text, position);
}

float cZuzodIvodure::ScaleMode2Points(float value) const {
    const Surface* s = paintSurface();
    return s ? static_cast<float>(ScaleToPoints(*s, value)) : 0;
}

double cZuzodIvodure::PointsToScale(double points) const {
    const Surface* s = paintSurface();
    return s ? richtext::PointsToScale(*s, points) : 0;
}

double cZuzodIvodure::PixelsToScale(double pixels) const {
    const Surface* s = paintSurface();
    return s ? richtext::PixelsToScale(*s, pixels) : 0;
}

void cZuzodIvodure::InitImages(std::shared_ptr<const Picture> normal,
                               std::shared_ptr<const Picture> pressed) {
    symbolNormal_ = std::move(normal);
    symbolPressed_ = std::move(pressed);
}

std::shared_ptr<const Picture> cZuzodIvodure::GetPicture(std::string_view name) const {
    if (!ImageCache || name.empty()) return nullptr;
    if (IsNumeric(name)) return ImageCache->GetImage(name);
    // The cache makes the key absolute and normal.
    return ImageCache->GetImage(resolveName(name));
}

std::string cZuzodIvodure::resolveName(std::string_view name) const {
    // The name goes under BasePath ("": the current folder) even when it
    // starts with "/".
    const std::filesystem::path base = BasePath.empty() ? "." : BasePath;
    return (base / std::filesystem::path(name).relative_path()).string();
}

void cZuzodIvodure::DrawPicture(const Picture& picture, double x, double y) {
    Surface* s = paintSurface();
    if (!s) return;
    s->PaintPicture(picture, x, y, PictureToScale(*s, picture.Width()),
                    PictureToScale(*s, picture.Height()));
}

void cZuzodIvodure::SetPenWidth() {
    Surface* surface = paintSurface();
    if (!surface) return;
    Surface& s = *surface;
    double pixels = 1;
    if (s.IsPrinter()) {
        // 1.05 pt, in printer pixels.
        const double tpp = s.TwipsPerPixelX();
        pixels = s.GetScaleMode() == ScaleMode::Twips ? (tpp > 0 ? 21 / tpp : 1)
                                                      : richtext::PixelsToScale(s, 1.05);
    }
    if (!std::isfinite(pixels)) pixels = 1;
    s.SetDrawWidth(std::max(1, static_cast<int>(std::lround(std::min(pixels, 1000.0)))));
}

const std::string& cZuzodIvodure::Errors(int i) const {
    return errors_.At(i < 0 ? errors_.Count() : static_cast<std::size_t>(i));
}

std::string cZuzodIvodure::evaluate(std::string_view expression) {
    std::string value(expression);
    if (Evaluate) Evaluate(value);
    return value;
}

double cZuzodIvodure::length(std::string_view value) const {
    return richtext::PointsToScale(*surface_, ClampLength(ParseNumber(value)));
}

StyleSnapshot cZuzodIvodure::takeSnapshot() const {
    const Surface& s = *surface_;
    return {s.Font(), s.ForeColor(), s.CurrentX(), s.CurrentY()};
}

void cZuzodIvodure::restoreSnapshot(const StyleSnapshot& snapshot) {
    Surface& s = *surface_;
    s.SetFontName(snapshot.font.name);
    s.SetFontSize(snapshot.font.size);
    s.SetFontBold(snapshot.font.bold);
    s.SetFontItalic(snapshot.font.italic);
    s.SetFontUnderline(snapshot.font.underline);
    s.SetFontStrikethrough(snapshot.font.strikethrough);
    s.SetFontCharset(snapshot.font.charset);
    s.SetForeColor(snapshot.color);
    s.SetCurrentX(snapshot.penX);
    s.SetCurrentY(snapshot.penY);
}

Checkpoint cZuzodIvodure::takeCheckpoint() const {
    return {takeSnapshot(), margins_, align_, line_.align};
}

LayoutContext cZuzodIvodure::layoutContext() const {
    const Surface& s = *surface_;
    LayoutContext context;
    context.scaleMode = s.GetScaleMode();
    context.printer = s.IsPrinter();
    context.scaleWidth = s.ScaleWidth();
    context.twipsPerPixelX = s.TwipsPerPixelX();
    context.twipsPerPixelY = s.TwipsPerPixelY();
    context.probeWidth = s.TextWidth("Mg");
    context.probeMetrics = s.GetTextMetrics();
    context.defaultFont = DefaultFont;
    context.defaultSize = DefaultSize;
    context.defaultColor = DefaultColor;
    context.defaultAlign = DefaultAlign;
    context.leftEdge = leftEdge_;
    context.rightEdge = rightEdge_;
    return context;
}

ParagraphStart cZuzodIvodure::paragraphStartState() const {
    const Surface& s = *surface_;
    return {s.Font(), s.ForeColor(), margins_, align_, linkOpenInLayout_};
}

void cZuzodIvodure::restoreCheckpoint(const Checkpoint& checkpoint) {
    restoreSnapshot(checkpoint.style);
    margins_ = checkpoint.margins;
    align_ = checkpoint.align;
    line_.align = checkpoint.lineAlign;
}

}  // namespace cartulo
