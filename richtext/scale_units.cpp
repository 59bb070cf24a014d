#include "richtext/scale_units.h"

#include <algorithm>
#include <cmath>

namespace cartulo::richtext {

namespace {

// A surface that reports no usable twips per pixel makes pixel sizes 0.
double twipsPerPixel(const Surface& surface) {
    const double tpp = surface.TwipsPerPixelX();
    return std::isfinite(tpp) && tpp > 0 ? tpp : 0;
}

}  // namespace

double PointsToScale(const Surface& surface, double points) {
    switch (surface.GetScaleMode()) {
        case ScaleMode::Twips:
            return points * 20;
        case ScaleMode::Points:
            return points;
        case ScaleMode::Pixels: {
            const double tpp = twipsPerPixel(surface);
            return tpp > 0 ? points * 20 / tpp : 0;
        }
        case ScaleMode::User:
            break;
    }
    return 0;
}

double PixelsToScale(const Surface& surface, double pixels) {
    const bool printer = surface.IsPrinter();
    switch (surface.GetScaleMode()) {
        case ScaleMode::Twips:
            return printer ? pixels * 20 : pixels * twipsPerPixel(surface);
        case ScaleMode::Points:
            return printer ? pixels : pixels * twipsPerPixel(surface) / 20;
        case ScaleMode::Pixels:
            return pixels;
        case ScaleMode::User:
            break;
    }
    return 0;
}

double ScaleToPoints(const Surface& surface, double units) {
    switch (surface.GetScaleMode()) {
        case ScaleMode::Twips:
            return units / 20;
        case ScaleMode::Points:
            return units;
        case ScaleMode::Pixels:
            return units * twipsPerPixel(surface) / 20;
        case ScaleMode::User:
            break;
    }
    return 0;
}

double PictureToScale(const Surface& surface, double pixels) {
    return surface.IsPrinter() ? PointsToScale(surface, pixels) : PixelsToScale(surface, pixels);
}

double LineHeight(const Surface& surface) {
    const double height = surface.TextHeight(" ");
    return std::isfinite(height) ? height : 0;
}

double FontAscent(const Surface& surface) {
    const double line = LineHeight(surface);
    const TextMetrics metrics = surface.GetTextMetrics();
    if (!(metrics.height > 0) || !std::isfinite(metrics.ascent)) return line;
    return line * std::clamp(metrics.ascent / metrics.height, 0.0, 1.0);
}

double ClampLength(double value) {
    if (!std::isfinite(value)) return 0;
    return std::clamp(value, -kMaxMarkupLength, kMaxMarkupLength);
}

}  // namespace cartulo::richtext
