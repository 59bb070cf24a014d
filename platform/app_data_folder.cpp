#include "platform/app_data_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace cartulo::platform {

namespace {

constexpr std::string_view kConfigFolder = ".config";

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

}  // namespace

std::string AppDataFolderFor(const char* xdgConfigHome, const char* home,
                             std::string_view fallback) {
    if (xdgConfigHome != nullptr && isAbsolute(xdgConfigHome)) return xdgConfigHome;
    if (home != nullptr && isAbsolute(home)) return join(home, kConfigFolder);
    if (isAbsolute(fallback)) return std::string(fallback);
    // A folder nobody but the administrator may write in: settings then fail
    // openly instead of landing somewhere unexpected.
    return "/";
}

std::string AppDataFolder() {
    const std::string databaseHome = userDatabaseHome();
    const std::string fallback = isAbsolute(databaseHome) ? join(databaseHome, kConfigFolder) : "";
    return AppDataFolderFor(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"), fallback);
}

}  // namespace cartulo::platform
