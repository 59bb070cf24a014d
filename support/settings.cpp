#include "support/settings.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>
#include <unordered_map>

#include "engine/paths.h"
#include "platform/app_data_folder.h"

namespace cartulo::support {

namespace {

constexpr std::string_view kVendorFolder = "Vardane";
constexpr std::string_view kProgramName = "Cartulo";
constexpr std::string_view kNoPrintingKey = "NoPrinting";
constexpr std::string_view kSpellCheckKey = "SpellCheck";
constexpr std::string_view kDictionaryKey = "Dictionary";
constexpr std::string_view kDefaultDictionary = "es_ES";
constexpr std::string_view kColorMarkupKey = "ColorearMarcas";

std::string programFolderIn(std::string_view appDataFolder) {
    return paths::JoinPath(paths::JoinPath(appDataFolder, kVendorFolder), kProgramName);
}

}  // namespace

std::string SettingsFolderFor(const char* xdgConfigHome, const char* home,
                              std::string_view fallback) {
    return programFolderIn(platform::AppDataFolderFor(xdgConfigHome, home, fallback));
}

std::string SettingsFolder() {
    return programFolderIn(platform::AppDataFolder());
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
    noPrinting_ = false;
    spellCheck_ = true;
    dictionary_ = kDefaultDictionary;
    colorMarkup_ = true;
    // A file that cannot be made is found missing by OpenINI, which says why.
    EnsureSettingsFile(filePath_);
    if (!ini_.OpenINI(filePath_)) {
        highDpi_ = storedHighDpi();
        noPrinting_ = numericValue(ini_.GetINIData("GENERAL", kNoPrintingKey)) != 0.0;
        const std::string spelling = ini_.GetINIData("GENERAL", kSpellCheckKey);
        spellCheck_ = spelling.empty() || numericValue(spelling) != 0.0;
        if (std::string name = ini_.GetINIData("GENERAL", kDictionaryKey); !name.empty()) {
            dictionary_ = std::move(name);
        }
        const std::string color = ini_.GetINIData("GENERAL", kColorMarkupKey);
        colorMarkup_ = color.empty() || numericValue(color) != 0.0;
    }
    scale_ = highDpi_ ? kHighDpiScale : 1.0f;
}

bool ProgramSettings::WriteOptions() {
    // A file without the key already means off: nothing to write.
    if (storedHighDpi() == highDpi_) return false;
    return ini_.WriteINIData("GENERAL", "HighDPI", highDpi_ ? "1" : "0");
}

bool ProgramSettings::storedHighDpi() const {
    return numericValue(ini_.GetINIData("GENERAL", "HighDPI")) != 0.0;
}

bool ProgramSettings::SaveHighDPI(bool on) {
    // Written whatever the copy in memory says: the user may have edited the file.
    if (ini_.WriteINIData("GENERAL", "HighDPI", on ? "1" : "0")) return true;
    highDpi_ = on;
    return false;
}

bool ProgramSettings::SaveNoPrinting(bool on) {
    // Written on a change only, so a file that never turned printing off
    // stays byte for byte.
    if (on == noPrinting_) return false;
    if (ini_.WriteINIData("GENERAL", kNoPrintingKey, on ? "1" : "0")) return true;
    noPrinting_ = on;
    return false;
}

bool ProgramSettings::SaveSpelling(bool on, const std::string& dictionary) {
    // As printing: a file that never changed them stays byte for byte.
    if (on != spellCheck_) {
        if (ini_.WriteINIData("GENERAL", kSpellCheckKey, on ? "1" : "0")) return true;
        spellCheck_ = on;
    }
    if (!dictionary.empty() && dictionary != dictionary_) {
        if (ini_.WriteINIData("GENERAL", kDictionaryKey, dictionary)) return true;
        dictionary_ = dictionary;
    }
    return false;
}

bool ProgramSettings::SaveColorearMarcas(bool on) {
    if (on == colorMarkup_) return false;
    if (ini_.WriteINIData("GENERAL", kColorMarkupKey, on ? "1" : "0")) return true;
    colorMarkup_ = on;
    return false;
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
