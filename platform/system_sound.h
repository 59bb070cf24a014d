// The system's sounds. A beep stands in for every named sound; a desktop
// without sound, or a program without a window system, stays silent, which
// is never an error.
#pragma once

#include <string_view>

namespace cartulo::platform {

// Plays the system sound of that name ("SystemHand", "SystemQuestion", ...).
void PlaySystemSound(std::string_view name);

}  // namespace cartulo::platform
