#include "support/settings.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <unordered_map>

#include "engine/paths.h"

namespace cartulo::support {

namespace {

constexpr std::string_view kVendorFolder = "Vardane";
constexpr std::string_view kProgramName = "Cartulo";

std::string programFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : exe.parent_path().string();
}

}  // namespace

std::string SettingsFolderFor(const char* xdgConfigHome, const char* home,
                              std::string_view programFolder) {
    std::string base;
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG rules say.
    if (xdgConfigHome && xdgConfigHome[0] == '/') {
        base = xdgConfigHome;
    } else if (home && home[0] != '\0') {
        base = paths::JoinPath(home, ".config");
    } else {
        base = programFolder;
    }
    return paths::JoinPath(paths::JoinPath(base, kVendorFolder), kProgramName);
}

std::string SettingsFolder() {
    return SettingsFolderFor(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"), programFolder());
}

std::string SettingsFileIn(std::string_view folder) {
    return paths::JoinPath(folder, std::string(kProgramName) + ".ini");
}

std::string SettingsFile() {
    return SettingsFileIn(SettingsFolder());
}

int EnsureSettingsFile(const std::string& path) {
    const std::string folder = paths::DirectoryPart(path);
    if (int error = paths::MakeDirectories(folder)) return error;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return ::close(fd) == 0 ? 0 : errno;
    return errno == EEXIST ? 0 : errno;
}

ProgramSettings::ProgramSettings(std::string filePath) : filePath_(std::move(filePath)) {}

void ProgramSettings::ReadOptions() {
    ini_.CancelINI();
    highDpi_ = false;
    // A file that cannot be made is found missing by OpenINI, which says why.
    EnsureSettingsFile(filePath_);
    if (!ini_.OpenINI(filePath_)) {
        highDpi_ = numericValue(ini_.GetINIData("GENERAL", "HighDPI")) != 0.0;
    }
    scale_ = highDpi_ ? kHighDpiScale : 1.0f;
}

bool ProgramSettings::WriteOptions() {
    ini_.PutINIData("GENERAL", "HighDPI", highDpi_ ? "1" : "0");
    return ini_.WriteINI();
}

std::vector<std::string> ProgramSettings::AutoLoadList() const {
    // One pass over the section, so a hostile list of many keys stays linear.
    std::unordered_map<std::string, std::string> values;
    for (auto& [key, value] : ini_.GetSectionData("AUTOLOAD")) values.try_emplace(key, value);
    std::vector<std::string> out;
    for (std::size_t n = 1;; ++n) {
        const auto found = values.find(std::to_string(n));
        if (found == values.end() || found->second.empty()) break;
        out.push_back(found->second);
    }
    return out;
}

}  // namespace cartulo::support
