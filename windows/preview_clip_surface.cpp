#include "windows/preview_clip_surface.h"

#include <algorithm>
#include <cmath>

namespace cartulo::windows {

double PreviewClipSurface::penMargin() const {
    double perPixel = 1;  // pixels, and the user scale, which counts in pixels
    switch (inner_.GetScaleMode()) {
        case ScaleMode::Twips:
            perPixel = inner_.TwipsPerPixelY();
            break;
        case ScaleMode::Points:
            perPixel = inner_.TwipsPerPixelY() / 20;
            break;
        case ScaleMode::Pixels:
        case ScaleMode::User:
            break;
    }
    return std::max(inner_.DrawWidth(), 1) * perPixel;
}

bool PreviewClipSurface::mayShow(double top, double bottom, double margin) const {
    if (!std::isfinite(top) || !std::isfinite(bottom)) return true;  // the inner surface decides
    const double low = std::min(top, bottom), high = std::max(top, bottom);
    return high + margin >= 0 && low - margin <= inner_.ScaleHeight();
}

void PreviewClipSurface::Print(std::string_view text) {
    const double y = inner_.CurrentY();
    const double height = inner_.TextHeight(text);
    if (mayShow(y, y + height, height)) {
        inner_.Print(text);
        return;
    }
    ++dropped_;
    inner_.SetCurrentX(inner_.CurrentX() + inner_.TextWidth(text));
}

void PreviewClipSurface::Line(double x1, double y1, double x2, double y2, Color color) {
    const double pen = penMargin();
    if (mayShow(y1, y2, pen)) {
        inner_.Line(x1, y1, x2, y2, color);
    } else {
        ++dropped_;
    }
}

void PreviewClipSurface::Rectangle(double x1, double y1, double x2, double y2, Color color,
                                   bool filled) {
    const double pen = penMargin();
    if (mayShow(y1, y2, pen)) {
        inner_.Rectangle(x1, y1, x2, y2, color, filled);
    } else {
        ++dropped_;
    }
}

void PreviewClipSurface::Point(double x, double y, Color color) {
    const double pen = penMargin();
    if (mayShow(y, y, pen)) {
        inner_.Point(x, y, color);
    } else {
        ++dropped_;
    }
}

void PreviewClipSurface::Polygon(const std::vector<PointF>& points) {
    if (points.empty()) {
        inner_.Polygon(points);
        return;
    }
    const auto [low, high] = std::minmax_element(
        points.begin(), points.end(), [](const PointF& a, const PointF& b) { return a.y < b.y; });
    const double pen = penMargin();
    if (mayShow(low->y, high->y, pen)) {
        inner_.Polygon(points);
    } else {
        ++dropped_;
    }
}

void PreviewClipSurface::PaintPicture(const Picture& picture, double x, double y, double width,
                                      double height) {
    if (mayShow(y, y + height, 0)) {
        inner_.PaintPicture(picture, x, y, width, height);
    } else {
        ++dropped_;
    }
}

}  // namespace cartulo::windows
