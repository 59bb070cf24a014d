// Work that may wait until a window has first been painted, so the user
// sees it sooner.
#pragma once

#include <functional>

class QObject;
class QWidget;

namespace cartulo::shell {

// Runs `then` once `widget` has been painted for the first time, after
// that whole paint and the calls it queued. A hidden widget never paints,
// so `then` runs at once; a paint that does not come (a minimised window, a
// widget gone) holds it back `fallbackMs` at most. `then` never runs after
// `owner` is destroyed.
void TrasPrimeraPintura(QWidget& widget, QObject& owner, std::function<void()> then,
                        int fallbackMs = 250);

}  // namespace cartulo::shell
