// Conversions between the markup's units (points, picture pixels) and the
// surface's scale units, and the font measures layout reads.
#pragma once

#include "platform/surface.h"

namespace cartulo::richtext {

// Points to scale units: twips * 20, points as they are, pixels through the
// surface's twips per pixel; 0 in any other scale mode.
double PointsToScale(const Surface& surface, double points);
// Screen pixels (points on a printer) to scale units; 0 in other modes.
double PixelsToScale(const Surface& surface, double pixels);
// Scale units to points; 0 in other modes.
double ScaleToPoints(const Surface& surface, double units);
// A picture's pixels to scale units: one pixel is one point on a printer.
double PictureToScale(const Surface& surface, double pixels);

// The height of a line in the current font: the text height of a blank.
double LineHeight(const Surface& surface);
// The part of the line height above the baseline, in the proportions of
// the font's own metrics. A font that reports no height keeps the whole
// line above the baseline, rather than dividing by zero.
double FontAscent(const Surface& surface);

// Lengths written in the markup are kept within this many points either
// way: far beyond any page, yet every sum of them stays finite.
inline constexpr double kMaxMarkupLength = 1e6;
double ClampLength(double value);

}  // namespace cartulo::richtext
