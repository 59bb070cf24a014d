// EscalarVentana: grows a window and its controls by the display scale, once,
// when the window loads. It works in Qt's logical pixels, so it adds to the
// desktop's own device-pixel scaling instead of repeating it.
#pragma once

class QWidget;

namespace cartulo::support {

// At a scale of exactly 1.0 nothing changes. Otherwise the window's inner
// size, its font and the fonts set on its controls grow by the scale, and so
// do the explicit minimum and maximum sizes of its controls. Controls placed
// by hand (their parent has no layout) are also moved and sized by the scale,
// combo boxes keeping their height; controls in a layout are placed by it.
// A second call on the same window does nothing.
void EscalarVentana(QWidget& window, double scale);

}  // namespace cartulo::support
