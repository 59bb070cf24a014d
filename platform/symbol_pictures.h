// The program's own small pictures, drawn here rather than taken from
// anywhere: the speaker that card text shows for a sound, and its pressed
// form.
#pragma once

#include <memory>

#include "platform/qt_picture.h"

namespace cartulo::platform {

struct SymbolPictures {
    std::shared_ptr<const QtPicture> speaker;
    std::shared_ptr<const QtPicture> speakerPressed;
};

// Both pictures, `side` pixels square (16 at the normal display scale).
SymbolPictures MakeSymbolPictures(int side = 16);

}  // namespace cartulo::platform
