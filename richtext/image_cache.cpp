#include "richtext/image_cache.h"

#include <utility>

#include "richtext/tag_params.h"

namespace cartulo {

cImageCache::cImageCache(std::unique_ptr<PictureLoader> loader, std::size_t slots)
    : loader_(std::move(loader)), slots_(slots) {}

std::shared_ptr<const Picture> cImageCache::GetImage(std::string_view key) {
    for (Slot_& slot : slots_) slot.score *= kDecay;
    for (Slot_& slot : slots_) {
        if (slot.picture && slot.key == key) {
            slot.score += 1;
            return slot.picture;
        }
    }
    if (key.empty() || slots_.empty() || !loader_ || richtext::IsNumeric(key)) return nullptr;
    // Decode into a fresh picture first: a failed load must not leave an
    // evicted slot empty under a live key.
    std::unique_ptr<Picture> loaded = loader_->Load(std::string(key));
    if (!loaded) return nullptr;
    Slot_& slot = slots_[victim()];
    slot.key = std::string(key);
    slot.score = static_cast<float>(slots_.size()) / 3;
    slot.picture = std::move(loaded);
    return slot.picture;
}

std::size_t cImageCache::victim() const {
    std::size_t lowest = 0;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (slots_[i].score == 0) return i;
        if (slots_[i].score < slots_[lowest].score) lowest = i;
    }
    return lowest;
}

void cImageCache::Clear() {
    for (Slot_& slot : slots_) slot = {};
}

cImageCache::SlotView cImageCache::Slot(std::size_t i) const {
    if (i >= slots_.size()) return {};
    const Slot_& slot = slots_[i];
    return {slot.key, slot.score, slot.picture != nullptr};
}

}  // namespace cartulo
