#include "temp_folder.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace cartulo::bench {

TempFolder::TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "cartulo-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::File(std::string_view name) const {
    return (std::filesystem::path(path_) / name).string();
}

}  // namespace cartulo::bench
