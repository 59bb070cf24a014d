#include "platform/fake_surface.h"

#include <cmath>
#include <cstdio>

namespace cartulo {

namespace {

constexpr double kMaxFontSize = 2000;
constexpr std::size_t kMaxFontName = 31;

// Numbers in the log: integers plainly, others with up to 3 decimals.
std::string number(double v) {
    char buf[64];
    if (std::fabs(v - std::round(v)) < 1e-9) {
        std::snprintf(buf, sizeof buf, "%.0f", v);
    } else {
        std::snprintf(buf, sizeof buf, "%.3f", v);
        std::string s(buf);
        while (s.back() == '0') s.pop_back();
        return s;
    }
    return buf;
}

std::string color(Color c) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
    return buf;
}

}  // namespace

FakeSurface::FakeSurface(double width, double height, ScaleMode mode, bool printer)
    : width_(width), height_(height), mode_(mode), printer_(printer) {}

void FakeSurface::SetScaleMode(ScaleMode mode) {
    // The size stays the same on the page; only its units change.
    const double twips = mode_ == ScaleMode::Twips    ? 1
                         : mode_ == ScaleMode::Points ? 20
                                                      : kTwipsPerPixel;
    const double to = mode == ScaleMode::Twips    ? 1
                      : mode == ScaleMode::Points ? 20
                                                  : kTwipsPerPixel;
    if (mode_ != ScaleMode::User && mode != ScaleMode::User) {
        width_ = width_ * twips / to;
        height_ = height_ * twips / to;
        x_ = x_ * twips / to;
        y_ = y_ * twips / to;
    }
    mode_ = mode;
    log_.push_back("scalemode " + std::to_string(static_cast<int>(mode)));
}

double FakeSurface::pointsToUnits(double points) const {
    switch (mode_) {
        case ScaleMode::Twips:
            return points * 20;
        case ScaleMode::Points:
            return points;
        case ScaleMode::Pixels:
            return points * 20 / kTwipsPerPixel;
        case ScaleMode::User:
            break;
    }
    return points;
}

bool FakeSurface::SetFontName(std::string_view name) {
    if (name.empty() || name.size() > kMaxFontName) return false;
    font_.name = std::string(name);
    return true;
}

bool FakeSurface::SetFontSize(double points) {
    if (!(points > 0 && points <= kMaxFontSize)) return false;
    font_.size = points;
    return true;
}

TextMetrics FakeSurface::GetTextMetrics() const {
    const double height = font_.size * 20 / kTwipsPerPixel;  // in pixels
    return {height, height * 0.75, height * 0.25, 0, 0};
}

double FakeSurface::TextWidth(std::string_view text) const {
    return pointsToUnits(font_.size / 2) * static_cast<double>(text.size());
}

double FakeSurface::TextHeight(std::string_view) const {
    return pointsToUnits(font_.size);
}

std::string FakeSurface::fontDescription() const {
    std::string s = font_.name + " " + number(font_.size);
    if (font_.bold) s += " N";
    if (font_.italic) s += " C";
    if (font_.underline) s += " U";
    if (font_.strikethrough) s += " S";
    if (font_.charset != kDefaultCharset) s += " charset=" + std::to_string(font_.charset);
    return s;
}

void FakeSurface::Print(std::string_view text) {
    log_.push_back("print " + number(x_) + "," + number(y_) + " \"" + std::string(text) + "\" " +
                   fontDescription() + " " + color(fore_) + (transparent_ ? "" : " opaque"));
    x_ += TextWidth(text);
}

void FakeSurface::Line(double x1, double y1, double x2, double y2, Color c) {
    log_.push_back("line " + number(x1) + "," + number(y1) + " " + number(x2) + "," + number(y2) +
                   " " + color(c) + " w" + std::to_string(drawWidth_));
    x_ = x2;
    y_ = y2;
}

void FakeSurface::Rectangle(double x1, double y1, double x2, double y2, Color c, bool filled) {
    log_.push_back("rect " + number(x1) + "," + number(y1) + " " + number(x2) + "," + number(y2) +
                   " " + color(c) + (filled ? " filled" : "") + " w" + std::to_string(drawWidth_));
    x_ = x2;
    y_ = y2;
}

void FakeSurface::Point(double x, double y, Color c) {
    log_.push_back("point " + number(x) + "," + number(y) + " " + color(c));
    x_ = x;
    y_ = y;
}

void FakeSurface::Polygon(const std::vector<PointF>& points) {
    std::string s = "polygon";
    for (const PointF& p : points) s += " " + number(p.x) + "," + number(p.y);
    s += " fill=" + (fillStyle_ == FillStyle::Solid ? color(fill_) : std::string("none"));
    s += " line=" + color(fore_);
    log_.push_back(s);
}

void FakeSurface::PaintPicture(const Picture& picture, double x, double y, double width,
                               double height) {
    const auto* fake = dynamic_cast<const FakePicture*>(&picture);
    log_.push_back("picture " + (fake ? fake->Name() : std::string("?")) + " " + number(x) + "," +
                   number(y) + " " + number(width) + "x" + number(height));
}

void FakeSurface::Refresh(double x1, double y1, double x2, double y2) {
    log_.push_back("refresh " + number(x1) + "," + number(y1) + " " + number(x2) + "," +
                   number(y2));
}

std::vector<std::string> FakeSurface::Ink() const {
    std::vector<std::string> ink;
    for (const std::string& line : log_) {
        for (const char* kind : {"print ", "line ", "rect ", "point ", "polygon ", "picture "}) {
            if (line.starts_with(kind)) {
                ink.push_back(line);
                break;
            }
        }
    }
    return ink;
}

}  // namespace cartulo
