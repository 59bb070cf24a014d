// Reads a small file in one piece, refusing what is not a regular file or
// is larger than the caller allows (a pipe would block, a device never end).
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "engine/file_error.h"

namespace cartulo::support {

struct WholeFile {
    std::string bytes;
    std::optional<FileError> error;
};

WholeFile readWholeFile(const std::string& path, std::size_t maxBytes);

}  // namespace cartulo::support
