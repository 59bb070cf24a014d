// The commands that build the path and act on the surface. Script values
// are points relative to the origin, y downwards; the path is kept in
// surface units, single precision.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "drawscript/draw_script.h"
#include "drawscript/script_color.h"
#include "drawscript/script_number.h"

namespace cartulo {

using drawscript::FormatColor;
using drawscript::FormatSingle;
using drawscript::ParseColor;
using drawscript::ToSingle;

namespace {

// Points every 1/100 of a turn.
constexpr int kCircleSteps = 100;
// The printer's pen is a quarter of the width in its scale units.
constexpr double kPrinterWidthDivisor = 4;
// Integer pixels for the polygon fill stay well inside 32-bit range.
constexpr double kMaxPixel = 1 << 30;

float coordinate(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<float>(
        std::clamp(v, -cDrawScript::kMaxCoordinate, cDrawScript::kMaxCoordinate));
}

// Half to even, as the platform turns single values into whole pixels.
double wholePixels(double v) {
    if (std::isnan(v)) return 0;
    return std::nearbyint(std::clamp(v, -kMaxPixel, kMaxPixel));
}

}  // namespace

// --- the path ---

void cDrawScript::startPath(double x, double y) {
    count_ = 0;
    path_[0] = {coordinate(x), coordinate(y)};
    Surface->SetCurrentX(path_[0].x);
    Surface->SetCurrentY(path_[0].y);
}

void cDrawScript::append(double x, double y) {
    if (count_ >= kMaxPathPoints) return;
    path_[static_cast<std::size_t>(++count_)] = {coordinate(x), coordinate(y)};
}

void cDrawScript::move() {
    const double y = popSingle(), x = popSingle();
    startPath(x0_ + x * scale_.x.pointsToUnits, y0_ + y * scale_.y.pointsToUnits);
}

void cDrawScript::moveRelative() {
    const double dy = popSingle(), dx = popSingle();
    const PathPoint from = current();
    startPath(from.x + dx * scale_.x.pointsToUnits, from.y + dy * scale_.y.pointsToUnits);
}

void cDrawScript::line() {
    const double y = popSingle(), x = popSingle();
    append(x0_ + x * scale_.x.pointsToUnits, y0_ + y * scale_.y.pointsToUnits);
}

void cDrawScript::lineRelative() {
    const double dy = popSingle(), dx = popSingle();
    const PathPoint from = current();
    append(from.x + dx * scale_.x.pointsToUnits, from.y + dy * scale_.y.pointsToUnits);
}

void cDrawScript::box() {
    const double h = popSingle() * scale_.y.pointsToUnits;
    const double w = popSingle() * scale_.x.pointsToUnits;
    const PathPoint c = current();
    append(c.x + w, c.y);
    append(c.x + w, c.y + h);
    append(c.x, c.y + h);
    append(c.x, c.y);
}

void cDrawScript::circle() {
    const double ry = popSingle() * scale_.y.pointsToUnits;
    const double rx = popSingle() * scale_.x.pointsToUnits;
    if (!(rx > 0 && ry > 0)) return;
    // The current point is the top; clockwise on a y-down surface.
    const PathPoint c = current();
    for (int step = 1; step < kCircleSteps; ++step) {
        const double a = 2 * std::numbers::pi * step / kCircleSteps;
        append(c.x + rx * std::sin(a), c.y + ry - ry * std::cos(a));
    }
    append(c.x, c.y);
}

void cDrawScript::close() {
    append(path_[0].x, path_[0].y);
}

void cDrawScript::stroke() {
    const Color color = Surface->ForeColor();
    Surface->Point(path_[0].x, path_[0].y, color);
    for (std::int32_t i = 0; i < count_; ++i) {
        const PathPoint& from = path_[static_cast<std::size_t>(i)];
        const PathPoint& to = path_[static_cast<std::size_t>(i) + 1];
        Surface->Line(from.x, from.y, to.x, to.y, color);
    }
}

void cDrawScript::fill() {
    if (count_ <= 2) return;
    // Filled through whole device pixels, as the platform's polygon takes
    // them, given back to the surface in its units.
    std::vector<PointF> polygon;
    polygon.reserve(static_cast<std::size_t>(count_) + 1);
    for (std::int32_t i = 0; i <= count_; ++i) {
        const PathPoint& p = path_[static_cast<std::size_t>(i)];
        polygon.push_back({wholePixels(p.x * scale_.x.unitsToPixels) * scale_.x.pixelsToUnits,
                           wholePixels(p.y * scale_.y.unitsToPixels) * scale_.y.pixelsToUnits});
    }
    // The outline takes the fill colour too.
    const Color lineColor = Surface->ForeColor();
    Surface->SetForeColor(Surface->FillColor());
    Surface->Polygon(polygon);
    Surface->SetForeColor(lineColor);
}

// --- colours and the pen ---

void cDrawScript::lineColor() {
    if (const auto color = ParseColor(stack_.Pop(), Surface->ForeColor())) {
        Surface->SetForeColor(*color);
    }
}

void cDrawScript::fillColor() {
    if (const auto color = ParseColor(stack_.Pop(), Surface->ForeColor())) {
        Surface->SetFillColor(*color);
    }
}

void cDrawScript::lineWidth() {
    const float w = popSingle();
    if (!(w > 0)) return;
    lineWidth_ = w;
    // On a printer the width goes through its vertical units; on a screen
    // the points count as pixels.
    const double pixels =
        Surface->IsPrinter() ? w * scale_.y.pointsToUnits / kPrinterWidthDivisor : w;
    const double whole = std::nearbyint(std::clamp<double>(pixels, 1, kMaxDrawWidth));
    Surface->SetDrawWidth(static_cast<int>(whole));
}

void cDrawScript::getLineColor() {
    stack_.Push(FormatColor(Surface->ForeColor()));
}

void cDrawScript::getFillColor() {
    stack_.Push(FormatColor(Surface->FillColor()));
}

void cDrawScript::getLineWidth() {
    stack_.Push(FormatSingle(lineWidth_));
}

void cDrawScript::getPosition() {
    const PathPoint& c = current();
    const double x = (static_cast<double>(c.x) - x0_) * scale_.x.unitsToPoints;
    const double y = (static_cast<double>(c.y) - y0_) * scale_.y.unitsToPoints;
    stack_.Push(FormatSingle(ToSingle(x)));
    stack_.Push(FormatSingle(ToSingle(y)));
}

// --- text ---

void cDrawScript::print() {
    Surface->Print(stack_.Pop());
}

void cDrawScript::textWidth() {
    const double units = Surface->TextWidth(stack_.Pop());
    stack_.Push(FormatSingle(ToSingle(units * scale_.x.unitsToPoints)));
}

void cDrawScript::textHeight() {
    const double units = Surface->TextHeight(stack_.Pop());
    stack_.Push(FormatSingle(ToSingle(units * scale_.y.unitsToPoints)));
}

void cDrawScript::setFontName() {
    Surface->SetFontName(stack_.Pop());  // a name the surface refuses is ignored
}

void cDrawScript::setFontSize() {
    const float size = popSingle();
    if (size > 0) Surface->SetFontSize(size);  // a size the surface refuses is ignored
}

void cDrawScript::setFontBold() {
    Surface->SetFontBold(popNumber() != 0);
}

void cDrawScript::setFontItalic() {
    Surface->SetFontItalic(popNumber() != 0);
}

void cDrawScript::setFontUnderline() {
    Surface->SetFontUnderline(popNumber() != 0);
}

}  // namespace cartulo
