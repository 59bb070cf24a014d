// cImageCache: the pictures of card text, decoded once and shared by every
// engine of the program. Ten slots; each look-up decays all scores by 0.9
// and a hit adds 1, so the pictures of the card on show stay while older
// ones are evicted.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/surface.h"

namespace cartulo {

class cImageCache {
  public:
    static constexpr std::size_t kDefaultSlots = 10;
    static constexpr float kDecay = 0.9f;

    explicit cImageCache(std::unique_ptr<PictureLoader> loader, std::size_t slots = kDefaultSlots);

    // The picture of a file, loading it on a miss; null when it cannot be
    // loaded (nothing in the cache changes then) and for numeric names,
    // which name resource pictures this program does not have. The key of
    // a name is its absolute, lexically normal path ("/c/./x.png" and
    // "/c/x.png" are one; a relative name is taken from the current
    // folder; symbolic links are not followed), compared exactly: Linux
    // file names differ by case.
    std::shared_ptr<const Picture> GetImage(std::string_view name);

    // Empties every slot.
    void Clear();

    // For tests and diagnostics: slot i (0-based) as it stands.
    struct SlotView {
        std::string key;  // empty when free
        float score = 0;
        bool loaded = false;
    };
    std::size_t SlotCount() const { return slots_.size(); }
    SlotView Slot(std::size_t i) const;

  private:
    struct Slot_ {
        std::string key;
        float score = 0;
        std::shared_ptr<const Picture> picture;
    };

    std::size_t victim() const;

    std::unique_ptr<PictureLoader> loader_;
    std::vector<Slot_> slots_;
};

}  // namespace cartulo
