// cZuzodIvodureFrame: the second engine that lays out the bodies of the
// frames ({FR:...}...{/FR}) an engine paints. Its events reach the host of
// the engine that owns it; its errors and hot zones stay its own.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/surface.h"
#include "richtext/zuzod_ivodure.h"

namespace cartulo {

// Frames inside frames are painted this many deep; a deeper frame is not
// painted at all and records nothing (each level is a second engine on the
// stack, and ten thousand of them would exhaust it).
inline constexpr int kMaxFrameNesting = 16;
// The bodies of all the frames one call paints, nested ones included, hold
// at most this many characters in all: twenty of the longest cards, so a
// card may nest to the cap, but frames never closed do not lay out the rest
// of a huge text once per level. A frame that does not fit is not painted.
inline constexpr std::size_t kMaxFrameText = 2'000'000;

class cZuzodIvodureFrame {
  public:
    cZuzodIvodureFrame() = default;
    cZuzodIvodureFrame(const cZuzodIvodureFrame&) = delete;
    cZuzodIvodureFrame& operator=(const cZuzodIvodureFrame&) = delete;

    // Makes the inner engine (a new one each time) and remembers the owner,
    // which must outlive it; the inner engine's events reach the owner's.
    void Create(cZuzodIvodure& owner);
    // Releases the inner engine.
    void Destroy();
    cZuzodIvodure* Owner() const { return owner_; }
    // The inner engine; null before Create and after Destroy.
    cZuzodIvodure* MC() const { return mc_.get(); }

    // The inner engine's events, raised again by the owner with the same
    // arguments (an unset handler of the owner leaves them as they are).
    void MC_Evaluate(std::string& expression);
    void MC_ObjectSize(const std::string& type, const std::string& parameters,
                       const std::string& body, Surface& surface, float& width, float& height);
    void MC_ObjectPaint(const std::string& type, const std::string& parameters,
                        const std::string& body, Surface& surface, float x, float y, float width,
                        float height);

  private:
    cZuzodIvodure* owner_ = nullptr;
    std::unique_ptr<cZuzodIvodure> mc_;
};

}  // namespace cartulo
