// The system's sounds. A beep stands in for every named sound; sound files
// play through Qt Multimedia, in a module loaded when one first plays. A desktop without sound, or
// a program without a window system, stays silent, which is never an error.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace cartulo::platform {

// Plays the system sound of that name ("SystemHand", "SystemQuestion", ...).
void PlaySystemSound(std::string_view name);

// Plays a sound file (WAV at least) without waiting for it: the sound
// symbols of card text. One player serves the whole program, made when a
// sound first plays and owned by the application. A file that cannot be
// read, a file that is no sound, or a machine without audio output gives
// no sound at all, not even a default one. `path` is the file name's bytes.
void PlaySoundFile(const std::string& path);

// Whether the machine has an audio output to play sound files on.
bool SoundOutputPresent();
// The file the player was last given; empty until a sound first plays.
QString SoundFileLoaded();
// Whether the player is still reading the file it was given.
bool SoundFileLoading();

}  // namespace cartulo::platform
