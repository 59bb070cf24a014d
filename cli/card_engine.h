// The rich-text engine set up the way the program's card windows set it
// up, so that lint and render see a card as a reader of it would.
#pragma once

#include "richtext/zuzod_ivodure.h"

namespace ctu {

// Arial at 12 points, and the four escapes {@:la}, {@:lc}, {@:ca} and
// {@:cc} answered with a brace or a quote; other expressions are shown as
// written, there being no program to evaluate them.
void setUpCardEngine(cartulo::cZuzodIvodure& engine);

}  // namespace ctu
