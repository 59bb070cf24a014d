#include "drawscript/script_units.h"

#include <cmath>

namespace cartulo::drawscript {

namespace {

constexpr double kTwipsPerPoint = 20;

AxisScale axis(ScaleMode mode, double twipsPerPixel) {
    if (!(std::isfinite(twipsPerPixel) && twipsPerPixel > 0)) return {};
    const double tpp = twipsPerPixel;
    switch (mode) {
        case ScaleMode::Twips:
            return {kTwipsPerPoint, 1 / kTwipsPerPoint, 1 / tpp, tpp};
        case ScaleMode::Points:
            return {1, 1, kTwipsPerPoint / tpp, tpp / kTwipsPerPoint};
        case ScaleMode::Pixels:
            return {kTwipsPerPoint / tpp, tpp / kTwipsPerPoint, 1, 1};
        case ScaleMode::User:
            break;
    }
    return {};
}

}  // namespace

UnitScale ScaleOf(const Surface& surface) {
    const ScaleMode mode = surface.GetScaleMode();
    return {axis(mode, surface.TwipsPerPixelX()), axis(mode, surface.TwipsPerPixelY())};
}

}  // namespace cartulo::drawscript
