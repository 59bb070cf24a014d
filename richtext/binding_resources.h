// What every host binding of the program shares: the one picture cache,
// the speaker pictures of sound symbols, the sound player and the
// program's folder. Start-up installs the program's set once; a binding
// made without a set of its own takes that one.
//
// The Qt pieces come from platform/ (QtPictureLoader, MakeSymbolPictures,
// PlaySoundFile), so this stays free of Qt. Start-up does, in effect:
//
//   auto res = std::make_shared<BindingResources>();
//   res->imageCache = std::make_shared<cImageCache>(
//       std::make_unique<platform::QtPictureLoader>());
//   const auto symbols = platform::MakeSymbolPictures();
//   res->speaker = symbols.speaker;
//   res->speakerPressed = symbols.speakerPressed;
//   res->playSound = platform::PlaySoundFile;
//   res->programFolder = <the program's folder, as bytes>;
//   SetProgramResources(res);
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/surface.h"

namespace cartulo {

class cImageCache;

struct BindingResources {
    // Looked up by every engine of every binding; none: no pictures.
    std::shared_ptr<cImageCache> imageCache;
    // The speaker of {S:} and its pressed form; without them sound
    // symbols are neither painted nor clickable.
    std::shared_ptr<const Picture> speaker;
    std::shared_ptr<const Picture> speakerPressed;
    // Plays a sound file without waiting; unset: silence.
    std::function<void(const std::string& path)> playSound;
    // Where picture and sound names resolve until the host sets BasePath;
    // empty: the current folder.
    std::string programFolder;
};

// The program's set, installed at start-up (nullptr until then, and to
// drop it at the end).
void SetProgramResources(std::shared_ptr<const BindingResources> resources);
std::shared_ptr<const BindingResources> ProgramResources();

}  // namespace cartulo
