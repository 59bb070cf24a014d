#include "scratch.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ctu-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

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
