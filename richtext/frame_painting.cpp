// Painting a frame: its body laid out by a second engine in a box placed
// against this engine's margins, with an outline when one is asked for.
#include <algorithm>
#include <string>

#include "richtext/color_notation.h"
#include "richtext/tag_params.h"
#include "richtext/zuzod_ivodure_frame.h"

namespace cartulo {

using namespace richtext;

void cZuzodIvodure::paintFrame(const Piece& piece, const PaintPlace& place) {
    if (frameDepth_ >= kMaxFrameNesting || piece.body.size() > frameTextLeft_) return;
    Surface& s = *surface_;
    if (!frame_) {
        frame_ = std::unique_ptr<cZuzodIvodureFrame, FrameRelease>(new cZuzodIvodureFrame);
        frame_->Create(*this);
    }
    cZuzodIvodure& inner = *frame_->MC();
    // This call's surface and cache, not those of the first frame painted:
    // the host may have painted on another surface since, now gone.
    inner.Ctrl = &s;
    inner.ImageCache = ImageCache;
    inner.InitImages(symbolNormal_, symbolPressed_);
    inner.frameDepth_ = frameDepth_ + 1;
    inner.frameTextLeft_ = frameTextLeft_ - piece.body.size();

    const StyleSnapshot snapshot = takeSnapshot();
    // The body starts from the defaults, not from the style in force here.
    inner.BasePath = BasePath;
    inner.DefaultAlign = DefaultAlign;
    inner.DefaultBorderWidth = DefaultBorderWidth;
    inner.DefaultColor = DefaultColor;
    inner.DefaultFont = DefaultFont;
    inner.DefaultSize = DefaultSize;
    inner.HT_Color = HT_Color;

    const std::string_view value = piece.value;
    const double width = s.ScaleWidth();
    const double l = length(GetParam(value, 1));
    const double r = length(GetParam(value, 2));
    const double left = l > 0 ? margins_.left + l : width - margins_.right + l;
    const double right = r > 0 ? width - (margins_.left + r) : margins_.right - r;
    const double top = place.top + length(GetParam(value, 3));
    // A negative height counts as 0 (as tall as the body), and a box that
    // ends above the surface must not read as a limit above its bottom.
    const double height = std::max(0.0, length(GetParam(value, 4)));
    const double bottom = height > 0 ? std::max(0.0, top + height) : -1;
    const auto box = [](double at) { return static_cast<float>(at); };

    const std::string_view colourText = TrimBlanks(GetParam(value, 5));
    const std::string_view border = TrimBlanks(GetParam(value, 6));
    if (!colourText.empty()) {
        const Color colour = ParseColor(colourText, {s.ForeColor(), DefaultColor});
        if (colour == kInvalidColor) {
            errors_.Add(std::string(message::kInvalidColor) + std::string(colourText));
        } else if (colour >= 0 && !border.empty() && ParseNumber(border) != 0) {
            const double measured =
                inner.SizeText(piece.body, box(top), box(left), box(right), box(bottom));
            const int pen = s.DrawWidth();
            SetPenWidth();
            s.Rectangle(left, top, width - right, top + measured, colour, false);
            s.SetDrawWidth(pen);
            paintedBottom_ = std::max(paintedBottom_, top + measured);
        }
    }
    inner.DrawText(piece.body, box(top), box(left), box(right), box(bottom));
    if (inner.PaintedBottom() > top) {
        paintedBottom_ = std::max(paintedBottom_, static_cast<double>(inner.PaintedBottom()));
    }
    frameTextLeft_ = inner.frameTextLeft_;
    inner.Ctrl = nullptr;
    restoreSnapshot(snapshot);
}

}  // namespace cartulo
