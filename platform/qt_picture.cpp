#include "platform/qt_picture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <cerrno>
#include <optional>

namespace cartulo::platform {

namespace {

// The whole of a regular file, or nothing. The descriptor is opened without
// blocking, so a FIFO with no writer cannot stall the open; what it names is
// checked on the open descriptor, so it cannot be swapped after the check.
std::optional<QByteArray> readRegularFile(const std::string& path, std::int64_t maxBytes) {
    if (path.empty() || path.find('\0') != std::string::npos) return std::nullopt;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};

    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    if (st.st_size <= 0 || st.st_size > maxBytes) return std::nullopt;

    // Only the size seen by fstat is read, even if the file grows meanwhile.
    QByteArray bytes;
    bytes.resize(static_cast<qsizetype>(st.st_size));
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n =
            ::read(fd, bytes.data() + got, static_cast<std::size_t>(bytes.size() - got));
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (n == 0) break;
        got += n;
    }
    bytes.resize(got);
    return bytes;
}

}  // namespace

std::unique_ptr<Picture> QtPictureLoader::Load(const std::string& path) const {
    const std::optional<QByteArray> bytes = readRegularFile(path, maxFileBytes_);
    if (!bytes || bytes->isEmpty()) return nullptr;

    QBuffer buffer;
    buffer.setData(*bytes);
    if (!buffer.open(QIODevice::ReadOnly)) return nullptr;
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) return nullptr;
    // A format that cannot tell its size before decoding is not decoded:
    // a small file may declare an enormous picture.
    const QSize declared = reader.size();
    if (!declared.isValid() || declared.isEmpty() || declared.width() > maxSide_ ||
        declared.height() > maxSide_) {
        return nullptr;
    }
    QImage image;
    if (!reader.read(&image) || image.isNull()) return nullptr;
    if (image.width() > maxSide_ || image.height() > maxSide_) return nullptr;
    return std::make_unique<QtPicture>(std::move(image));
}

}  // namespace cartulo::platform
