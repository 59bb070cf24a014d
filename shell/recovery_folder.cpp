#include "shell/recovery_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "engine/file_io.h"
#include "engine/paths.h"
#include "platform/app_data_folder.h"

namespace cartulo::shell {

namespace {

constexpr std::string_view kInfoHeader = "CARTULO-RECUPERACION 1";
constexpr std::string_view kCardExtension = ".ctu";
constexpr std::string_view kInfoExtension = ".info";
constexpr std::string_view kLockExtension = ".lock";
constexpr unsigned kCopyMode = 0600;

std::string percent(std::string_view bytes) {
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()))
        .toPercentEncoding()
        .toStdString();
}

std::string unpercent(std::string_view text) {
    return QByteArray::fromPercentEncoding(
               QByteArray(text.data(), static_cast<qsizetype>(text.size())))
        .toStdString();
}

// Every missing folder of the path is made user-only; the last one is made
// so even when it was there.
std::optional<FileError> makeUserFolder(const std::string& folder) {
    std::string path;
    for (std::size_t start = 0; start <= folder.size();) {
        std::size_t end = folder.find('/', start);
        if (end == std::string::npos) end = folder.size();
        path = folder.substr(0, end);
        if (!path.empty() && ::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
            return systemError(errno);
        }
        start = end + 1;
    }
    if (::chmod(folder.c_str(), 0700) != 0) return systemError(errno);
    return std::nullopt;
}

// The lock of instance `id`, taken without waiting; -1 while its
// instance runs (or the file cannot be made).
int takeLock(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kCopyMode);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool endsWith(std::string_view name, std::string_view ending) {
    return name.size() > ending.size() && name.ends_with(ending);
}

// "ID-N" -> "ID".
std::string instanceOf(std::string_view stem) {
    const std::size_t dash = stem.rfind('-');
    return std::string(dash == std::string_view::npos ? stem : stem.substr(0, dash));
}

}  // namespace

std::string RecoveryFolderPath() {
    return paths::JoinPath(platform::StateFolder(), "Vardane/Cartulo/recuperacion");
}

RecoveryFolder::RecoveryFolder(std::string folder) : folder_(std::move(folder)) {
    // Two folders of one process may be made within the same millisecond.
    static std::atomic<unsigned> made{0};
    id_ = std::to_string(::getpid()) + "." + std::to_string(QDateTime::currentMSecsSinceEpoch()) +
          "." + std::to_string(made++);
}

RecoveryFolder::~RecoveryFolder() {
    ReleaseClaims();
    if (lock_ >= 0) {
        // Copies still here stay for the next start, which finds no lock.
        ::unlink(paths::JoinPath(folder_, id_ + std::string(kLockExtension)).c_str());
        ::close(lock_);
    }
}

std::optional<FileError> RecoveryFolder::Prepare() {
    if (auto error = makeUserFolder(folder_)) return error;
    if (lock_ < 0) lock_ = takeLock(paths::JoinPath(folder_, id_ + std::string(kLockExtension)));
    if (lock_ < 0) return systemError(errno);
    return std::nullopt;
}

std::string RecoveryFolder::CopyBase(int n) const {
    return paths::JoinPath(folder_, id_ + "-" + std::to_string(n));
}

std::optional<FileError> RecoveryFolder::Write(const std::string& base, std::string_view bytes,
                                               const RecoveryInfo& info) {
    // The folder may have been removed since the start.
    if (auto error = makeUserFolder(paths::DirectoryPart(base))) return error;
    // The description first, so that a card file is never without one; a
    // description alone is what a killed write left.
    if (auto error =
            writeFileAtomically(base + std::string(kInfoExtension), InfoText(info), kCopyMode)) {
        return error;
    }
    return writeFileAtomically(CardPath(base), bytes, kCopyMode);
}

void RecoveryFolder::Remove(const std::string& base) {
    ::unlink(CardPath(base).c_str());
    ::unlink((base + std::string(kInfoExtension)).c_str());
}

std::vector<LeftCopy> RecoveryFolder::LeftBehind() {
    namespace fs = std::filesystem;
    std::error_code error;
    std::set<std::string> stems;
    std::set<std::string> instances;
    for (const auto& entry : fs::directory_iterator(folder_, error)) {
        const std::string name = entry.path().filename().string();
        if (endsWith(name, kInfoExtension)) {
            const std::string stem = name.substr(0, name.size() - kInfoExtension.size());
            stems.insert(stem);
            instances.insert(instanceOf(stem));
        } else if (endsWith(name, kLockExtension)) {
            instances.insert(name.substr(0, name.size() - kLockExtension.size()));
        }
    }
    for (const std::string& instance : instances) {
        if (instance == id_ || claims_.contains(instance)) continue;
        const int fd = takeLock(paths::JoinPath(folder_, instance + std::string(kLockExtension)));
        if (fd >= 0) claims_.emplace(instance, fd);
    }
    std::vector<LeftCopy> copies;
    for (const std::string& stem : stems) {
        if (!claims_.contains(instanceOf(stem))) continue;
        const std::string base = paths::JoinPath(folder_, stem);
        auto info = ReadInfoText(readWhole(base + std::string(kInfoExtension)));
        if (info && fs::is_regular_file(CardPath(base), error)) {
            copies.push_back({base, std::move(*info)});
        }
    }
    std::stable_sort(copies.begin(), copies.end(), [](const LeftCopy& a, const LeftCopy& b) {
        return a.info.time < b.info.time;
    });
    return copies;
}

void RecoveryFolder::ReleaseClaims() {
    namespace fs = std::filesystem;
    for (const auto& [instance, fd] : claims_) {
        // What a killed write left of that instance (a temporary, or one
        // half of a copy) is no use to anyone; its lock goes with the last copy.
        std::error_code error;
        bool copiesLeft = false;
        std::vector<fs::path> debris;
        for (const auto& entry : fs::directory_iterator(folder_, error)) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with("." + instance + "-")) {
                debris.push_back(entry.path());
                continue;
            }
            if (!name.starts_with(instance + "-")) continue;
            const bool card = endsWith(name, kCardExtension);
            if (!card && !endsWith(name, kInfoExtension)) continue;
            const std::string stem =
                name.substr(0, name.size() - (card ? kCardExtension : kInfoExtension).size());
            const std::string other = stem + std::string(card ? kInfoExtension : kCardExtension);
            if (fs::exists(entry.path().parent_path() / other, error)) {
                copiesLeft = true;
            } else {
                debris.push_back(entry.path());
            }
        }
        for (const fs::path& path : debris) fs::remove(path, error);
        if (!copiesLeft) {
            ::unlink(paths::JoinPath(folder_, instance + std::string(kLockExtension)).c_str());
        }
        ::close(fd);
    }
    claims_.clear();
}

std::string InfoText(const RecoveryInfo& info) {
    std::string text(kInfoHeader);
    text += "\nruta=" + percent(info.original);
    text += "\ntitulo=" + percent(info.title.toStdString());
    text += "\nhora=" + info.time.toUTC().toString(Qt::ISODateWithMs).toStdString() + "\n";
    return text;
}

std::optional<RecoveryInfo> ReadInfoText(std::string_view text) {
    std::istringstream in{std::string(text)};
    std::string line;
    if (!std::getline(in, line) || line != kInfoHeader) return std::nullopt;
    RecoveryInfo info;
    bool hasTime = false;
    while (std::getline(in, line)) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (key == "ruta") {
            info.original = unpercent(value);
        } else if (key == "titulo") {
            info.title = QString::fromStdString(unpercent(value));
        } else if (key == "hora") {
            info.time = QDateTime::fromString(QString::fromStdString(value), Qt::ISODateWithMs);
            hasTime = info.time.isValid();
        }
    }
    if (!hasTime) return std::nullopt;
    return info;
}

}  // namespace cartulo::shell
