// EscalarVentana: grows a window and its controls by the display scale, once,
// when the window loads. It works in Qt's logical pixels, so it adds to the
// desktop's own device-pixel scaling instead of repeating it.
#pragma once

class QWidget;

namespace cartulo::support {

// At a scale of exactly 1.0 nothing changes. Otherwise the window's inner
// size, its font and the fonts set on its controls grow by the scale, and so
// do the explicit minimum and maximum sizes of its controls and the spacing,
// margins and fixed spaces of its layouts, at any depth (tab pages, scroll
// area contents, splitters, stacks, any widget). Controls placed by hand
// (their parent has no layout and does not place its parts itself, as a tab
// widget or a splitter does) are also moved and sized by the scale, combo
// boxes keeping their height. A second call on the same window does nothing,
// and a part scaled before (a window later put inside another) is left as it is.
void EscalarVentana(QWidget& window, double scale);

}  // namespace cartulo::support
