#include "export/export_folder.h"

#include <fcntl.h>
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

}  // namespace

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
        for (std::string line; std::getline(list, line);)
            if (plainName(line)) previous_.insert(line);
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
    std::ostringstream list;
    for (const std::string& name : previous_) list << name << '\n';
    int err = 0;
    if (!writeFile((fs::path(path) / kListName).string(), list.str(), err)) {
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
    written_.insert(key);
    return true;
}

bool ExportFolder::Write(std::string_view name, std::string_view bytes) {
    if (!mayWrite(name)) return false;
    int err = 0;
    if (writeFile((fs::path(path_) / name).string(), bytes, err)) return true;
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

bool ExportFolder::Finish() {
    for (const std::string& name : previous_) {
        if (written_.contains(name)) continue;
        std::error_code error;
        const fs::path stale = fs::path(path_) / name;
        // Only files: a folder of that name is not what an export wrote.
        if (fs::is_regular_file(fs::symlink_status(stale, error))) fs::remove(stale, error);
    }
    std::ostringstream list;
    for (const std::string& name : written_) list << name << '\n';
    int err = 0;
    if (writeFile((fs::path(path_) / kListName).string(), list.str(), err)) return true;
    problem_ = systemReason(err);
    return false;
}

}  // namespace cartulo::exporting
