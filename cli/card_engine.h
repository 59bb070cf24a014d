// The card renderer set up the way the program's windows set theirs up, so
// that lint and render see a card as a reader of it would: the host
// binding, which gives Arial at 12 points and answers the four escapes
// {@:la}, {@:lc}, {@:ca} and {@:cc} with a brace or a quote. Other
// expressions are shown as written, there being no program to evaluate
// them.
#pragma once

#include <memory>

#include "platform/surface.h"
#include "richtext/our_mc.h"

namespace ctu {

// A renderer with a picture cache of its own over `pictures`, and the
// speaker pictures of sound symbols when given (painting shows them;
// measuring does without).
std::unique_ptr<cartulo::cOurMC> makeCardRenderer(
    std::unique_ptr<cartulo::PictureLoader> pictures,
    std::shared_ptr<const cartulo::Picture> speaker = nullptr,
    std::shared_ptr<const cartulo::Picture> speakerPressed = nullptr);

}  // namespace ctu
