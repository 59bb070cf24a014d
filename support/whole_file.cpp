#include "support/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "engine/file_io.h"

namespace cartulo::support {

namespace {

struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

WholeFile failure(FileError e) {
    return {{}, std::move(e)};
}

}  // namespace

WholeFile readWholeFile(const std::string& path, std::size_t maxBytes) {
    if (path.empty()) return failure({errors::kBadFileName, "No se indicó el nombre del archivo."});
    // Non-blocking, so that opening a pipe returns at once and fstat refuses it.
    Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) return failure(systemError(errno));
    struct stat st {};
    if (::fstat(file.fd, &st) != 0) return failure(systemError(errno));
    if (S_ISDIR(st.st_mode)) return failure(systemError(EISDIR));
    if (!S_ISREG(st.st_mode)) return failure({errors::kAccessError, "No es un archivo normal."});
    if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
        return failure({errors::kAccessError, "El archivo es demasiado grande."});
    }
    WholeFile out;
    out.bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < out.bytes.size()) {
        const ssize_t n = ::read(file.fd, out.bytes.data() + done, out.bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return failure(systemError(errno));
        if (n == 0) break;  // shrank while being read
        done += static_cast<std::size_t>(n);
    }
    out.bytes.resize(done);
    // A file that grew meanwhile was not read whole; writing it back would lose the rest.
    char extra = 0;
    ssize_t more = 0;
    do {
        more = ::read(file.fd, &extra, 1);
    } while (more < 0 && errno == EINTR);
    if (more > 0) return failure({errors::kAccessError, "El archivo cambió mientras se leía."});
    return out;
}

}  // namespace cartulo::support
