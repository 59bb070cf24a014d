// Script distances are points (1/72 inch, 20 twips). These are the factors
// that turn them into a surface's scale units and device pixels, by its
// scale mode and its twips per pixel (the printer's when it is one). A
// scale mode other than twips, points or pixels (or a surface reporting no
// usable twips per pixel) makes every factor 0, so every converted distance
// is 0.
#pragma once

#include "platform/surface.h"

namespace cartulo::drawscript {

struct AxisScale {
    double pointsToUnits = 0;
    double unitsToPoints = 0;
    double unitsToPixels = 0;
    double pixelsToUnits = 0;
};

struct UnitScale {
    AxisScale x, y;
};

UnitScale ScaleOf(const Surface& surface);

}  // namespace cartulo::drawscript
