#include "engine/cartulos.h"

#include <filesystem>

namespace cartulo {

namespace {

std::string canonicalPath(const std::string& path) {
    if (path.empty()) return {};
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(path, ec);
    if (ec) return path;
    const auto canonical = std::filesystem::weakly_canonical(absolute, ec);
    return ec ? absolute.lexically_normal().string() : canonical.string();
}

}  // namespace

void cCartulos::AddFile(std::shared_ptr<cCartulo> file) {
    if (!file) return;
    files_.push_back({std::move(file), nextId_++});
    const auto index = ListCount() - 1;
    listeners_.raise([index](CartulosListener& l) { l.onAdd(index); });
}

void cCartulos::RemoveItem(std::int32_t index) {
    if (!inRange(index)) return;
    const cCartulo* file = files_[static_cast<std::size_t>(index)].file.get();
    listeners_.raise([index](CartulosListener& l) { l.onRemove(index); });
    // A listener may have added or removed files meanwhile: the file is
    // looked for again rather than trusted to be at the same index.
    const std::int32_t now = FindFile(file);
    if (now != -1) files_.erase(files_.begin() + now);
}

std::int32_t cCartulos::FindFile(const cCartulo* file) const {
    for (std::int32_t i = 0; i < ListCount(); ++i) {
        if (files_[i].file.get() == file) return i;
    }
    return -1;
}

std::int32_t cCartulos::FindFilename(const std::string& path) const {
    const std::string wanted = canonicalPath(path);
    for (std::int32_t i = 0; i < ListCount(); ++i) {
        if (canonicalPath(files_[i].file->GetFileName()) == wanted) return i;
    }
    return -1;
}

std::int32_t cCartulos::FindID(std::int32_t id) const {
    for (std::int32_t i = 0; i < ListCount(); ++i) {
        if (files_[i].id == id) return i;
    }
    return -1;
}

std::int32_t cCartulos::ID(std::int32_t index) const {
    return inRange(index) ? files_[index].id : -1;
}

std::shared_ptr<cCartulo> cCartulos::List(std::int32_t index) const {
    return inRange(index) ? files_[index].file : nullptr;
}

void cCartulos::NotifyRename(const cCartulo* file) {
    const std::int32_t index = FindFile(file);
    if (index != -1) listeners_.raise([index](CartulosListener& l) { l.onRename(index); });
}

cCartulos& Ctus() {
    static cCartulos registry;
    return registry;
}

}  // namespace cartulo
