#include "shell/cascade.h"

#include <cmath>

namespace cartulo::shell {

int Cascada::pixels(int twips) const {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel * scale_));
}

QPoint Cascada::Siguiente(const QSize& window, const QSize& area) {
    const int at = pixels(offsetTwips_);
    if (at + window.width() > area.width() || at + window.height() > area.height()) {
        offsetTwips_ = 0;
    }
    const int place = pixels(offsetTwips_);
    offsetTwips_ += kStepTwips;
    return {place, place};
}

}  // namespace cartulo::shell
