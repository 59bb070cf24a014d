#include "export/export_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/file_io.h"
#include "engine/win1252.h"

namespace cartulo::exporting {

namespace fs = std::filesystem;

namespace {

// A name from the list is trusted only when it names a file right in the
// folder: the list is a file anyone may have edited.
bool plainName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find('/') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

std::string systemReason(int err) {
    return systemError(err).description;
}

// Written in place, not through a temporary file: five thousand pages would
// otherwise wait for five thousand syncs. O_NOFOLLOW: a link planted in the
// folder must not carry a page over a file elsewhere.
bool writeFile(const std::string& path, std::string_view bytes, int& err) {
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        err = errno;
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            err = n < 0 ? errno : EIO;
            ::close(fd);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0) {
        err = errno;
        return false;
    }
    return true;
}

// "name<TAB>size<TAB>time" as the list holds it; nothing for a bad line.
std::optional<std::pair<std::string, ExportFolder::Stamp>> parseLine(const std::string& line) {
    const auto second = line.rfind('\t');
    if (second == std::string::npos || second == 0) return std::nullopt;
    const auto first = line.rfind('\t', second - 1);
    if (first == std::string::npos) return std::nullopt;
    ExportFolder::Stamp stamp;
    try {
        std::size_t used = 0;
        const std::string size = line.substr(first + 1, second - first - 1);
        const std::string changed = line.substr(second + 1);
        stamp.size = std::stoll(size, &used);
        if (used != size.size()) return std::nullopt;
        stamp.changed = std::stoll(changed, &used);
        if (used != changed.size()) return std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;
    }
    std::string name = line.substr(0, first);
    if (!plainName(name) || stamp.size < 0) return std::nullopt;
    return std::make_pair(std::move(name), stamp);
}

std::string listText(const std::map<std::string, ExportFolder::Stamp>& files) {
    std::ostringstream list;
    for (const auto& [name, stamp] : files)
        list << name << '\t' << stamp.size << '\t' << stamp.changed << '\n';
    return list.str();
}

}  // namespace

std::optional<ExportFolder::Stamp> ExportFolder::stampOf(const std::string& name) const {
    struct stat info {};
    if (::lstat((fs::path(path_) / name).c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return Stamp{
        static_cast<std::int64_t>(info.st_size),
        static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

ExportFolder::Opening ExportFolder::Open(const std::string& path, bool force) {
    path_ = path;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::exists(status) && !fs::is_directory(status)) {
        problem_ = "no es una carpeta";
        return Opening::CannotWrite;
    }
    if (!fs::exists(status) && !fs::create_directories(path, error) && error) {
        problem_ = systemReason(error.value());
        return Opening::CannotWrite;
    }
    if (std::ifstream list(fs::path(path) / kListName); list) {
        // Only files still as the export left them are ours.
        for (std::string line; std::getline(list, line);)
            if (const auto entry = parseLine(line); entry && stampOf(entry->first) == entry->second)
                previous_.insert(*entry);
    }
    for (fs::directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name != kListName && !previous_.contains(name)) others_.push_back(name);
    }
    if (error) {
        problem_ = systemReason(error.value());
        return Opening::CannotWrite;
    }
    if (!others_.empty() && !force) return Opening::HoldsOtherFiles;
    // Tried before any page is made, so a read-only folder fails at once.
    int err = 0;
    if (!writeFile((fs::path(path) / kListName).string(), listText(previous_), err)) {
        problem_ = systemReason(err);
        return Opening::CannotWrite;
    }
    return Opening::Ready;
}

bool ExportFolder::mayWrite(std::string_view name) {
    const std::string key(name);
    if (!plainName(name) || name == kListName ||
        std::find(others_.begin(), others_.end(), key) != others_.end()) {
        problem_ = "el nombre " + key + " es de otro fichero";
        return false;
    }
    return true;
}

bool ExportFolder::Write(std::string_view name, std::string_view bytes) {
    if (!mayWrite(name)) return false;
    int err = 0;
    const std::string key(name);
    const bool done = writeFile((fs::path(path_) / key).string(), bytes, err);
    // A file begun is the export's even when it failed half-way.
    if (const auto stamp = stampOf(key)) written_[key] = *stamp;
    if (done) return true;
    problem_ = systemReason(err);
    return false;
}

bool ExportFolder::Copy(const std::string& from, std::string_view name) {
    std::ifstream in(from, std::ios::binary);
    if (!in) {
        problem_ = "no se puede leer " + from;
        return false;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return Write(name, bytes.str());
}

bool ExportFolder::Finish(bool complete) {
    std::map<std::string, Stamp> list = written_;
    for (const auto& [name, stamp] : previous_) {
        if (written_.contains(name)) continue;
        if (!complete) {
            list.emplace(name, stamp);
            continue;
        }
        // Only a file still as the export left it: not a folder, not a
        // file changed since.
        std::error_code error;
        if (stampOf(name) == stamp) fs::remove(fs::path(path_) / name, error);
    }
    int err = 0;
    if (writeFile((fs::path(path_) / kListName).string(), listText(list), err)) return true;
    problem_ = systemReason(err);
    return false;
}

}  // namespace cartulo::exporting
