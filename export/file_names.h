// File names made from entries: safe on every system the exported folder
// may be copied to, and unique once letter case and accents are ignored.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

namespace cartulo::exporting {

// Stems longer than this are cut: some systems limit a path to 260 bytes.
inline constexpr std::size_t kMaxStemLength = 60;

class FileNames {
  public:
    // A name no other claim took, nor any name reserved, ending in
    // `extension` (".html"). The stem is the entry (Windows-1252) in
    // lower-case ASCII letters, digits and hyphens.
    std::string Claim(std::string_view entry, std::string_view extension);
    // Keeps `name` from being given (the folder's own files, a user's file).
    void Reserve(std::string_view name);
    bool Taken(std::string_view name) const;

  private:
    std::unordered_set<std::string> taken_;  // lower case
};

// The stem alone, before it is made unique.
std::string SafeStem(std::string_view entry);
// The entry's own stem: SafeStem before a name Windows reserves is changed.
std::string PlainStem(std::string_view entry);

}  // namespace cartulo::exporting
