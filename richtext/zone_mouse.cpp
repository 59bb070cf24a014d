// The mouse over the zones of the last painting: the hover zone and the
// pointer, the pressed look of buttons and sound symbols, and the events.
#include <algorithm>
#include <functional>
#include <string>
#include <utility>

#include "richtext/scale_units.h"
#include "richtext/zuzod_ivodure.h"

namespace cartulo {

using namespace richtext;

namespace {

bool validIndex(int index, const HotZoneTable& zones) {
    return index >= 0 && static_cast<std::size_t>(index) < zones.Count();
}

// A handler may assign the event anew, draw the text again (emptying the
// zones) or even release the engine: both the handler and its argument
// are copies, and nothing of the engine is touched after the call.
void raise(const std::function<void(const std::string&)>& event, std::string argument) {
    const auto handler = event;
    if (handler) handler(argument);
}

}  // namespace

void cZuzodIvodure::MouseMove(int /*button*/, float x, float y) {
    // A handler called during a layout gets nothing: the table is half made.
    if (busy_) return;
    if (validIndex(pressedZone_, zones_)) {
        const HotZone& zone = zones_.At(static_cast<std::size_t>(pressedZone_));
        const bool inside = zone.Contains(x, y);
        // Painted when the look changes, not on every move.
        if (inside != pressedShown_) showPressed(zone, inside);
        return;
    }
    hoverZone_ = zones_.ZoneAt(x, y);
    if (Ctrl) Ctrl->SetPointer(hoverZone_ >= 0 ? PointerShape::UpArrow : PointerShape::Default);
}

void cZuzodIvodure::MouseDown(int /*button*/, float /*x*/, float /*y*/) {
    // A second button going down while one holds a zone changes nothing.
    if (busy_ || pressedZone_ >= 0 || !validIndex(hoverZone_, zones_)) return;
    const HotZone& zone = zones_.At(static_cast<std::size_t>(hoverZone_));
    switch (zone.kind) {
        case ZoneKind::Button:
        case ZoneKind::Sound:
            pressedZone_ = hoverZone_;
            showPressed(zone, true);
            return;
        case ZoneKind::Hypertext:
            raise(Hypertext, zone.s1);
            return;
        case ZoneKind::Popup:
            raise(Popup, zone.s1);
            return;
        case ZoneKind::CommandArea:
            raise(Exec, zone.s1);
            return;
    }
}

void cZuzodIvodure::MouseUp(int /*button*/, float x, float y) {
    if (busy_ || !validIndex(pressedZone_, zones_)) {
        pressedZone_ = -1;
        return;
    }
    const HotZone zone = zones_.At(static_cast<std::size_t>(pressedZone_));
    pressedZone_ = -1;
    if (pressedShown_) showPressed(zone, false);
    if (!zone.Contains(x, y)) return;
    if (zone.kind == ZoneKind::Button) {
        raise(Exec, zone.Command());
    } else if (zone.kind == ZoneKind::Sound && !zone.s1.empty()) {
        raise(PlaySound, resolveName(zone.s1));
    }
}

void cZuzodIvodure::showPressed(const HotZone& zone, bool pressed) {
    pressedShown_ = pressed;
    if (!Ctrl) return;
    if (zone.kind == ZoneKind::Sound) {
        // Without both pictures the speaker was never painted.
        if (symbolNormal_ && symbolPressed_) {
            paintFeedback(pressed ? symbolPressed_.get() : symbolNormal_.get(), zone, false);
        }
        return;
    }
    if (zone.kind != ZoneKind::Button) return;
    if (!pressed) {
        paintFeedback(GetPicture(zone.s1).get(), zone, false);
        return;
    }
    // A button with a pressed picture shows it; one without (or whose
    // pressed picture cannot be found) is outlined.
    const auto picture = zone.s3.empty() ? nullptr : GetPicture(zone.s2);
    paintFeedback(picture.get(), zone, picture == nullptr);
}

void cZuzodIvodure::paintFeedback(const Picture* picture, const HotZone& zone, bool outline) {
    if (!outline && !picture) return;
    Surface& s = *Ctrl;
    const double penX = s.CurrentX(), penY = s.CurrentY();
    const int drawWidth = s.DrawWidth();
    double right = zone.x2, bottom = zone.y2;
    if (outline) {
        s.SetDrawWidth(1);
        s.Rectangle(zone.x1, zone.y1, zone.x2, zone.y2, Rgb(0, 0, 0), false);
    } else {
        DrawPicture(*picture, zone.x1, zone.y1);
        // The picture reaches past its zone, which stops short of its edges.
        right = std::max(right, zone.x1 + PictureToScale(s, picture->Width()));
        bottom = std::max(bottom, zone.y1 + PictureToScale(s, picture->Height()));
    }
    s.SetDrawWidth(drawWidth);
    s.SetCurrentX(penX);
    s.SetCurrentY(penY);
    s.Refresh(zone.x1, zone.y1, right, bottom);
}

}  // namespace cartulo
