#include "export/file_names.h"

#include <array>
#include <cctype>

#include "engine/win1252.h"

namespace cartulo::exporting {

namespace {

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Names Windows refuses whatever their extension.
bool reservedOnWindows(std::string_view stem) {
    static constexpr std::array kNames = {"con", "prn", "aux", "nul", "clock$"};
    for (const char* name : kNames)
        if (stem == name) return true;
    return stem.size() == 4 && (stem.starts_with("com") || stem.starts_with("lpt")) &&
           stem[3] >= '0' && stem[3] <= '9';
}

}  // namespace

std::string SafeStem(std::string_view entry) {
    std::string stem = PlainStem(entry);
    if (reservedOnWindows(stem)) stem += "-ficha";
    return stem;
}

std::string PlainStem(std::string_view entry) {
    std::string stem;
    bool dash = false;
    for (const char byte : entry) {
        // Á and á both give a, ñ gives n: names that differ only so collide.
        const auto c = static_cast<unsigned char>(win1252::foldAccents(byte));
        const char out = c < 0x80 && std::isalnum(c) ? static_cast<char>(std::tolower(c)) : char{0};
        if (out != 0) {
            if (dash && !stem.empty()) stem += '-';
            dash = false;
            stem += out;
        } else {
            dash = true;
        }
        if (stem.size() >= kMaxStemLength) break;
    }
    if (stem.empty()) stem = "ficha";
    return stem;
}

std::string FileNames::Claim(std::string_view entry, std::string_view extension) {
    const std::string stem = SafeStem(entry);
    std::string name = stem + std::string(extension);
    for (int n = 2; Taken(name); ++n)
        name = stem + "-" + std::to_string(n) + std::string(extension);
    taken_.insert(lower(name));
    return name;
}

void FileNames::Reserve(std::string_view name) {
    taken_.insert(lower(name));
}

bool FileNames::Taken(std::string_view name) const {
    return taken_.contains(lower(name));
}

}  // namespace cartulo::exporting
