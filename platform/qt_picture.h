// Pictures for the Qt surface, and their loading from files named by cards.
#pragma once

#include <QImage>
#include <cstdint>

#include "platform/surface.h"

namespace cartulo::platform {

class QtPicture : public Picture {
  public:
    explicit QtPicture(QImage image) : image_(std::move(image)) {}
    int Width() const override { return image_.width(); }
    int Height() const override { return image_.height(); }
    const QImage& Image() const { return image_; }

  private:
    QImage image_;
};

// Picture names come from card files and are not trusted: only a regular
// file is read (a FIFO or a device would block or never end), no bigger
// than the file cap, and it is decoded only when its declared size is
// within the pixel cap. Any failure gives nullptr.
class QtPictureLoader : public PictureLoader {
  public:
    static constexpr std::int64_t kDefaultMaxFileBytes = 32 << 20;
    static constexpr int kDefaultMaxSide = 8192;

    QtPictureLoader() = default;
    QtPictureLoader(std::int64_t maxFileBytes, int maxSide)
        : maxFileBytes_(maxFileBytes), maxSide_(maxSide) {}

    std::unique_ptr<Picture> Load(const std::string& path) const override;

  private:
    std::int64_t maxFileBytes_ = kDefaultMaxFileBytes;
    int maxSide_ = kDefaultMaxSide;
};

}  // namespace cartulo::platform
