// The variable table: pairs of name and value, at most kCapacity of them.
// Names are stored lower-cased, exactly as given otherwise (the script's
// `set` and ":name" include the leading colon; a host must too).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cartulo::drawscript {

class VariableTable {
  public:
    // The language's limit; a new name beyond it is dropped silently.
    static constexpr std::size_t kCapacity = 100;

    // Replaces the value of an existing name, else adds the name if there
    // is room.
    void Set(std::string_view name, std::string_view value);
    // The value, or the empty string for a name not in the table.
    std::string Get(std::string_view name) const;
    std::size_t Size() const { return entries_.size(); }

  private:
    const std::string* find(const std::string& lowerName) const;
    std::vector<std::pair<std::string, std::string>> entries_;
};

}  // namespace cartulo::drawscript
