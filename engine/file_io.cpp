#include "engine/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "engine/paths.h"

namespace cartulo {

namespace {

constexpr std::size_t kReadChunk = 1 << 20;
constexpr int kMaxSymlinkHops = 40;  // as the kernel allows

std::string quoted(std::string_view path) {
    return "«" + std::string(path) + "»";
}

// Closes a descriptor on every path.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
    int release() {
        const int f = fd;
        fd = -1;
        return f;
    }
};

// Follows symbolic links to the file they finally name (which may not exist yet).
std::optional<FileError> resolveLinks(std::string& path) {
    for (int hop = 0; hop < kMaxSymlinkHops; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return std::nullopt;
        std::vector<char> buf(PATH_MAX + 1);
        const ssize_t len = ::readlink(path.c_str(), buf.data(), buf.size() - 1);
        if (len < 0) return systemError(errno);
        std::string target(buf.data(), static_cast<std::size_t>(len));
        if (!target.starts_with('/')) {
            const std::string dir = paths::DirectoryPart(path);
            target = dir.empty() && !path.starts_with('/') ? target : paths::JoinPath(dir, target);
        }
        path = target;
    }
    return systemError(ELOOP);
}

constexpr std::size_t kTempNamePrefix = 64;

FileError notARegularFile() {
    return {errors::kAccessError, "No es un archivo normal."};
}

// A file that is missing because its folder is: "path not found".
FileError missingOrSystemError(int err, const std::string& path) {
    if (err == ENOENT) {
        const std::string dir = paths::DirectoryPart(path);
        if (!dir.empty() && !paths::DirectoryExists(dir)) return systemError(ENOTDIR);
    }
    return systemError(err);
}

FileError pastEnd() {
    return {errors::kPastEnd, "El archivo termina antes de lo que indica su contenido."};
}

mode_t currentUmask() {
    // Read, not set and put back: another thread may create a file meanwhile.
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (!line.starts_with("Umask:")) continue;
        try {
            return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8) & 0777);
        } catch (const std::exception&) {
            break;
        }
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

std::atomic<FileFault> fileFault{nullptr};

// The injected failure of this call, if any (errno is set to it).
bool injectedFault(FileCall call) {
    const FileFault fault = fileFault.load(std::memory_order_relaxed);
    if (fault == nullptr) return false;
    const int err = fault(call);
    if (err != 0) errno = err;
    return err != 0;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        if (injectedFault(FileCall::Write)) return false;
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

void SetFileFaultForTesting(FileFault fault) {
    fileFault.store(fault);
}

FileError systemError(int err) {
    switch (err) {
        case ENOENT:
            return {errors::kFileNotFound, "No se encontró el archivo."};
        case ENOTDIR:
            return {errors::kPathNotFound, "No se encontró la ruta de acceso."};
        case EACCES:
        case EPERM:
        case EROFS:
            return {errors::kPermissionDenied, "Permiso denegado."};
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return {errors::kDiskFull, "No queda espacio para escribir el archivo."};
        case EIO:
            return {errors::kIoError, "Error de entrada o salida."};
        case ENAMETOOLONG:
            return {errors::kBadFileName, "El nombre del archivo es demasiado largo."};
        case EISDIR:
            return {errors::kAccessError, "Es una carpeta, no un archivo."};
        case ELOOP:
            return {errors::kAccessError, "Hay demasiados enlaces simbólicos en la ruta."};
        default:
            return {errors::kAccessError,
                    std::string("Error de acceso al archivo: ") + std::strerror(err) + "."};
    }
}

FileReader::~FileReader() {
    if (fd_ >= 0) ::close(fd_);
}

std::optional<FileError> FileReader::open(const std::string& path) {
    path_ = path;
    if (path.empty()) return FileError{errors::kBadFileName, "No se indicó el nombre del archivo."};
    // Non-blocking, so a named pipe cannot keep the program waiting; only
    // regular files are read.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) return missingOrSystemError(errno, path);
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return systemError(errno);
    if (S_ISDIR(st.st_mode)) return systemError(EISDIR);
    if (!S_ISREG(st.st_mode)) return notARegularFile();
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    return std::nullopt;
}

std::optional<FileError> FileReader::fill() {
    if (!buffer_) buffer_.reset(new char[kReadChunk]);
    begin_ = end_ = 0;
    ssize_t n;
    do {
        n = ::read(fd_, buffer_.get(), kReadChunk);
    } while (n < 0 && errno == EINTR);
    if (n < 0) return systemError(errno);
    end_ = static_cast<std::size_t>(n);
    if (n == 0) eof_ = true;
    return std::nullopt;
}

std::optional<FileError> FileReader::read(std::size_t n, std::string& out) {
    while (n > 0) {
        if (begin_ == end_) {
            if (eof_) return pastEnd();
            if (auto e = fill()) return e;
            continue;
        }
        const std::size_t take = std::min(n, end_ - begin_);
        out.append(buffer_.get() + begin_, take);
        begin_ += take;
        n -= take;
    }
    return std::nullopt;
}

std::optional<FileError> writeFileAtomically(const std::string& targetPath, std::string_view bytes,
                                             std::optional<unsigned> newFileMode) {
    if (targetPath.empty()) {
        return FileError{errors::kBadFileName, "No se indicó el nombre del archivo."};
    }
    std::string target = targetPath;
    if (auto e = resolveLinks(target)) return e;

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) return systemError(EISDIR);
    if (exists && !S_ISREG(old.st_mode)) return notARegularFile();
    // Replacing the file would ignore its own protection: a file the user may
    // not write stays as it is.
    if (exists && ::access(target.c_str(), W_OK) != 0) return systemError(errno);

    std::string dir = paths::DirectoryPart(target);
    if (dir.empty()) dir.push_back(target.starts_with('/') ? '/' : '.');
    // A short prefix of the name keeps the temporary name within the limit
    // of a name however long the target's is.
    std::string hidden(1, '.');
    hidden += paths::FileNamePart(target).substr(0, kTempNamePrefix);
    hidden += ".XXXXXX";
    std::string temp = paths::JoinPath(dir, hidden);
    // Close-on-exec: a program started meanwhile must not hold the temporary.
    Descriptor fd{::mkostemp(temp.data(), O_CLOEXEC)};
    if (fd.fd < 0) {
        FileError e = systemError(errno == ENOENT ? ENOTDIR : errno);
        e.description = "No se puede crear un archivo temporal en la carpeta " + quoted(dir) +
                        ": " + e.description;
        return e;
    }
    auto failWith = [&](int err) {
        const FileError e = systemError(err);
        ::close(fd.release());
        ::unlink(temp.c_str());
        return e;
    };
    const mode_t mode = exists        ? (old.st_mode & 07777)
                        : newFileMode ? static_cast<mode_t>(*newFileMode & 07777)
                                      : (0666 & ~currentUmask());
    if (!writeAll(fd.fd, bytes)) return failWith(errno);
    if (::fchmod(fd.fd, mode) != 0) return failWith(errno);
    if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
        // Keep the owner where we may; a plain user cannot, and that is no failure.
        [[maybe_unused]] int ignored = ::fchown(fd.fd, old.st_uid, old.st_gid);
    }
    if (injectedFault(FileCall::Sync) || ::fsync(fd.fd) != 0) return failWith(errno);
    if (::close(fd.release()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return systemError(err);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return systemError(err);
    }
    // Make the rename itself durable.
    Descriptor dirFd{::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dirFd.fd >= 0) ::fsync(dirFd.fd);
    return std::nullopt;
}

}  // namespace cartulo
