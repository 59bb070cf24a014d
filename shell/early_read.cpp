#include "shell/early_read.h"

#include <algorithm>
#include <optional>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace cartulo::shell {

namespace {

// A thread's own malloc arena grows a few pages at a time, one system call
// each: thousands for a large file's texts. Padded by the file's size while
// it is read, the arena grows once. 128 KB is the C library's default.
class PaddedGrowth {
  public:
    explicit PaddedGrowth([[maybe_unused]] off_t bytes) {
#ifdef __GLIBC__
        if (bytes > kDefaultPad) {
            ::mallopt(M_TOP_PAD, static_cast<int>(std::min<off_t>(bytes, 1 << 30)));
        }
#endif
    }
    ~PaddedGrowth() {
#ifdef __GLIBC__
        ::mallopt(M_TOP_PAD, kDefaultPad);
#endif
    }
    PaddedGrowth(const PaddedGrowth&) = delete;
    PaddedGrowth& operator=(const PaddedGrowth&) = delete;

  private:
    static constexpr int kDefaultPad = 128 * 1024;
};

std::optional<LecturaAnticipada::Sello> stampOf(const std::string& path) {
    struct stat info {};
    // A pipe or a device is read once, by Abrir itself.
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return LecturaAnticipada::Sello{info.st_dev, info.st_ino, info.st_size, info.st_mtim,
                                    info.st_ctim};
}

}  // namespace

bool LecturaAnticipada::Sello::operator==(const Sello& other) const {
    const auto same = [](const timespec& a, const timespec& b) {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    };
    return device == other.device && inode == other.inode && size == other.size &&
           same(modified, other.modified) && same(changed, other.changed);
}

LecturaAnticipada::LecturaAnticipada(std::string path, bool debug) : path_(std::move(path)) {
    read_ = std::async(std::launch::async, [path = path_, debug]() -> Leido {
        const std::optional<Sello> before = stampOf(path);
        if (!before) return {};
        const PaddedGrowth padding(before->size);
        auto file = std::make_shared<cCartulo>();
        file->SetDebugFlag(debug);
        try {
            if (!file->OpenFile(path)) return {};
        } catch (const CartuloError&) {
            return {};
        }
        // A file written while it was read is read again when it is asked for.
        if (stampOf(path) != before) return {};
        return {std::move(file), *before};
    });
}

LecturaAnticipada::~LecturaAnticipada() {
    if (read_.valid()) read_.wait();
}

std::shared_ptr<cCartulo> LecturaAnticipada::Tomar(const std::string& path) {
    if (path != path_ || !read_.valid()) return nullptr;
    Leido read;
    try {
        read = read_.get();
    } catch (const std::exception&) {
        return nullptr;  // out of memory on the thread: the caller tries again
    }
    if (!read.file || stampOf(path) != read.stamp) return nullptr;
    return std::move(read.file);
}

}  // namespace cartulo::shell
