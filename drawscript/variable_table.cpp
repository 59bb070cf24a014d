#include "drawscript/variable_table.h"

#include "drawscript/script_text.h"

namespace cartulo::drawscript {

const std::string* VariableTable::find(const std::string& lowerName) const {
    for (const auto& [name, value] : entries_) {
        if (name == lowerName) return &value;
    }
    return nullptr;
}

void VariableTable::Set(std::string_view name, std::string_view value) {
    const std::string lower = LowerCase(name);
    for (auto& entry : entries_) {
        if (entry.first == lower) {
            entry.second = std::string(value);
            return;
        }
    }
    if (entries_.size() >= kCapacity) return;
    entries_.emplace_back(lower, std::string(value));
}

std::string VariableTable::Get(std::string_view name) const {
    const std::string* value = find(LowerCase(name));
    return value ? *value : std::string();
}

}  // namespace cartulo::drawscript
