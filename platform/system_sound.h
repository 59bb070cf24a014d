// The system's sounds. A beep stands in for every named sound; a desktop
// without sound, or a program without a window system, stays silent, which
// is never an error.
#pragma once

#include <string>
#include <string_view>

namespace cartulo::platform {

// Plays the system sound of that name ("SystemHand", "SystemQuestion", ...).
void PlaySystemSound(std::string_view name);

// Plays a sound file without waiting for it (the sound symbols of card
// text). With no audio output of its own, the program beeps for a file
// that exists; a file that cannot be read gives no sound at all, not even
// a default one. `path` is the file name's bytes.
void PlaySoundFile(const std::string& path);

}  // namespace cartulo::platform
