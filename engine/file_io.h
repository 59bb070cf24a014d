// Reading and writing whole card files on POSIX: a buffered reader that
// never reads more than asked, and an atomic writer (temporary file beside
// the target, flushed, renamed over it).
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/file_error.h"

namespace cartulo {

// Maps an errno value to the engine's code and a Spanish description; the
// caller names the file in its own message.
FileError systemError(int err);

class FileReader {
  public:
    FileReader() = default;
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;
    ~FileReader();

    std::optional<FileError> open(const std::string& path);
    // Appends exactly n bytes to out, or fails (error 62 at the end of the file).
    std::optional<FileError> read(std::size_t n, std::string& out);

  private:
    std::optional<FileError> fill();

    int fd_ = -1;
    std::string path_;
    // Left uninitialised: zero-filling it for every chunk would cost as much
    // as the copy itself.
    std::unique_ptr<char[]> buffer_;
    std::size_t begin_ = 0, end_ = 0;
    bool eof_ = false;
};

// Writes the bytes to the file at `target` atomically. A symbolic link is
// followed, so the link survives and its file is replaced; an existing
// file's permissions are kept; a new file gets `newFileMode` when given,
// else 0666 less the umask.
std::optional<FileError> writeFileAtomically(const std::string& target, std::string_view bytes,
                                             std::optional<unsigned> newFileMode = std::nullopt);

// A seam for tests of failing disks: when set, it is asked before every
// write and fsync of a save's temporary file, and a non-zero answer fails
// that call with that errno. Unset, it costs one atomic load per call.
enum class FileCall { Write, Sync };
using FileFault = int (*)(FileCall call);
void SetFileFaultForTesting(FileFault fault);

}  // namespace cartulo
