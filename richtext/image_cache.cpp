#include "richtext/image_cache.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "richtext/tag_params.h"

namespace cartulo {

namespace {

// Absolute and lexically normal, so that "/c/./x.png" and "/c/x.png" name
// one slot; a relative name is taken from the current folder. Symbolic
// links are not followed.
std::string keyOf(std::string_view name) {
    const std::filesystem::path path(name);
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return (error ? path : absolute).lexically_normal().string();
}

}  // namespace

cImageCache::cImageCache(std::unique_ptr<PictureLoader> loader, std::size_t slots)
    : loader_(std::move(loader)), slots_(slots) {}

std::shared_ptr<const Picture> cImageCache::GetImage(std::string_view name) {
    for (Slot_& slot : slots_) slot.score *= kDecay;
    // Numeric names never fill a slot.
    if (name.empty() || richtext::IsNumeric(name)) return nullptr;
    const std::string key = keyOf(name);
    for (Slot_& slot : slots_) {
        if (slot.picture && slot.key == key) {
            slot.score += 1;
            return slot.picture;
        }
    }
    if (slots_.empty() || !loader_) return nullptr;
    // Decode into a fresh picture first: a failed load must not leave an
    // evicted slot empty under a live key.
    std::unique_ptr<Picture> loaded = loader_->Load(key);
    if (!loaded) return nullptr;
    Slot_& slot = slots_[victim()];
    slot.key = key;
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
