#include "raw_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <system_error>

namespace cartulo::bench {
namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) Fail("open " + path);
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) Fail("read " + path);
    return bytes;
}

void WriteAndReplace(const std::string& temporary, const std::string& target,
                     std::string_view bytes) {
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) Fail("open " + temporary);
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            Fail("write " + temporary);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    if (::fsync(fd) != 0) {
        ::close(fd);
        Fail("fsync " + temporary);
    }
    if (::close(fd) != 0) Fail("close " + temporary);
    if (std::rename(temporary.c_str(), target.c_str()) != 0) Fail("rename " + target);
}

}  // namespace cartulo::bench
