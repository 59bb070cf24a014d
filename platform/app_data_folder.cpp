#include "platform/app_data_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace cartulo::platform {

namespace {

constexpr std::string_view kConfigFolder = ".config";
constexpr std::string_view kStateFolder = ".local/state";

bool isAbsolute(std::string_view path) {
    return path.starts_with('/');
}

std::string join(std::string_view folder, std::string_view name) {
    std::string out(folder);
    if (!out.ends_with('/')) out += '/';
    out += name;
    return out;
}

// The home folder of this user in the user database; "" when it has none.
std::string userDatabaseHome() {
    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 4096);
    constexpr std::size_t kLargestBuffer = std::size_t{1} << 20;
    for (;;) {
        passwd entry{};
        passwd* found = nullptr;
        const int error = ::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE && buffer.size() < kLargestBuffer) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (error != 0 || found == nullptr || found->pw_dir == nullptr) return {};
        return found->pw_dir;
    }
}

std::string xdgFolderFor(const char* xdgValue, const char* home, std::string_view inHome,
                         std::string_view fallback) {
    if (xdgValue != nullptr && isAbsolute(xdgValue)) return xdgValue;
    if (home != nullptr && isAbsolute(home)) return join(home, inHome);
    if (isAbsolute(fallback)) return std::string(fallback);
    // A folder nobody but the administrator may write in: writes then fail
    // openly instead of landing somewhere unexpected.
    return "/";
}

std::string xdgFolder(const char* variable, std::string_view inHome) {
    const std::string databaseHome = userDatabaseHome();
    const std::string fallback = isAbsolute(databaseHome) ? join(databaseHome, inHome) : "";
    return xdgFolderFor(std::getenv(variable), std::getenv("HOME"), inHome, fallback);
}

}  // namespace

std::string AppDataFolderFor(const char* xdgConfigHome, const char* home,
                             std::string_view fallback) {
    return xdgFolderFor(xdgConfigHome, home, kConfigFolder, fallback);
}

std::string AppDataFolder() {
    return xdgFolder("XDG_CONFIG_HOME", kConfigFolder);
}

std::string StateFolderFor(const char* xdgStateHome, const char* home, std::string_view fallback) {
    return xdgFolderFor(xdgStateHome, home, kStateFolder, fallback);
}

std::string StateFolder() {
    return xdgFolder("XDG_STATE_HOME", kStateFolder);
}

}  // namespace cartulo::platform
