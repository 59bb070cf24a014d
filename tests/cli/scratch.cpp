#include "scratch.h"

namespace {

std::string field(std::size_t value, std::size_t width) {
    std::string digits = std::to_string(value);
    digits.resize(width, ' ');
    return digits;
}

}  // namespace

std::string cardFileBytes(const std::vector<Record>& records) {
    std::string bytes = field(records.size() - 1, 5) + "\r\n";
    for (const auto& r : records) {
        bytes += field(r.entry.size(), 2) + r.entry + field(r.text.size(), 5) + r.text + "\r\n";
    }
    return bytes;
}
