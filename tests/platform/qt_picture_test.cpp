#include "platform/qt_picture.h"
#include "platform/symbol_pictures.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <chrono>
#include <future>

#include <gtest/gtest.h>

namespace cartulo::platform {
namespace {

using namespace std::chrono_literals;

class QtPictureLoaderTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    std::string path(const char* name) const { return dir_.filePath(name).toStdString(); }
    void write(const char* name, const QByteArray& bytes) const {
        QFile f(dir_.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    QTemporaryDir dir_;
    QtPictureLoader loader_;
};

std::uint32_t crc32(const QByteArray& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char ch : bytes) {
        crc ^= static_cast<unsigned char>(ch);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void appendBigEndian(QByteArray& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.append(static_cast<char>((v >> shift) & 0xFF));
}

// A PNG that is only a signature and a valid header declaring this size.
QByteArray pngHeaderOnly(std::uint32_t width, std::uint32_t height) {
    QByteArray png("\x89PNG\r\n\x1A\n", 8);
    QByteArray chunk("IHDR");
    appendBigEndian(chunk, width);
    appendBigEndian(chunk, height);
    chunk.append("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB
    appendBigEndian(png, 13);
    png.append(chunk);
    appendBigEndian(png, crc32(chunk));
    return png;
}

TEST_F(QtPictureLoaderTest, LoadsAPictureByItsContentNotItsName) {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(2, 1, qRgb(255, 0, 0));
    ASSERT_TRUE(image.save(dir_.filePath("small.png"), "PNG"));
    ASSERT_TRUE(image.save(dir_.filePath("really-a-bmp.png"), "BMP"));
    for (const char* name : {"small.png", "really-a-bmp.png"}) {
        const std::unique_ptr<Picture> picture = loader_.Load(path(name));
        ASSERT_NE(picture, nullptr) << name;
        EXPECT_EQ(picture->Width(), 3);
        EXPECT_EQ(picture->Height(), 2);
        const auto* qt = dynamic_cast<const QtPicture*>(picture.get());
        ASSERT_NE(qt, nullptr);
        EXPECT_EQ(QColor(qt->Image().pixel(2, 1)), QColor(255, 0, 0));
    }
}

TEST_F(QtPictureLoaderTest, RefusesAFifoPromptlyAlsoBehindASymbolicLink) {
    ASSERT_EQ(::mkfifo(path("pipe.bmp").c_str(), 0600), 0);
    ASSERT_EQ(::symlink(path("pipe.bmp").c_str(), path("link.png").c_str()), 0);
    for (const char* name : {"pipe.bmp", "link.png"}) {
        auto result =
            std::async(std::launch::async, [&] { return loader_.Load(path(name)) == nullptr; });
        if (result.wait_for(5s) != std::future_status::ready) {
            // Release the reader so that the test can end, then fail.
            const int fd = ::open(path("pipe.bmp").c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
            FAIL() << "loading a FIFO blocked: " << name;
        }
        EXPECT_TRUE(result.get()) << name;
    }
}

TEST_F(QtPictureLoaderTest, RefusesWhatIsNoPictureOrDeclaresAHugeOne) {
    write("text.png", "Esto no es una imagen.\r\n");
    write("empty.bmp", "");
    write("truncated.png", pngHeaderOnly(16, 16));  // a real header with nothing after it
    write("huge.png", pngHeaderOnly(100000, 100000));
    write("wide.png", pngHeaderOnly(QtPictureLoader::kDefaultMaxSide + 1, 1));
    // A BMP header declaring 30000 x 30000 pixels of 24 bits, and 16 bytes.
    write("huge.bmp", QByteArray::fromHex("424d460000000000000036000000280000003075000030750000"
                                          "010018000000000000000000130b0000130b0000000000000000"
                                          "000000000000000000000000000000000000"));
    for (const std::string& name :
         {std::string("/dev/zero"), std::string("/dev/null"), dir_.path().toStdString(),
          path("missing.png"), std::string(), std::string("a\0b", 3), path("text.png"),
          path("empty.bmp"), path("truncated.png"), path("huge.png"), path("wide.png"),
          path("huge.bmp")}) {
        EXPECT_EQ(loader_.Load(name), nullptr) << name;
    }
}

TEST_F(QtPictureLoaderTest, CapsAreConfigurable) {
    QImage image(300, 10, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(dir_.filePath("wide.png"), "PNG"));
    EXPECT_NE(loader_.Load(path("wide.png")), nullptr);
    EXPECT_EQ(QtPictureLoader(QtPictureLoader::kDefaultMaxFileBytes, 256).Load(path("wide.png")),
              nullptr);
    EXPECT_NE(QtPictureLoader(QtPictureLoader::kDefaultMaxFileBytes, 300).Load(path("wide.png")),
              nullptr);
    const qint64 size = QFileInfo(dir_.filePath("wide.png")).size();
    EXPECT_EQ(QtPictureLoader(size - 1, 8192).Load(path("wide.png")), nullptr);
    EXPECT_NE(QtPictureLoader(size, 8192).Load(path("wide.png")), nullptr);
}

TEST(SymbolPicturesTest, SpeakerAndItsPressedFormAreDrawnAndDiffer) {
    const SymbolPictures pictures = MakeSymbolPictures(16);
    ASSERT_TRUE(pictures.speaker && pictures.speakerPressed);
    EXPECT_EQ(pictures.speaker->Width(), 16);
    EXPECT_EQ(pictures.speaker->Height(), 16);
    int ink = 0, opaque = 0;
    const QImage& image = pictures.speaker->Image();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ink += qGray(image.pixel(x, y)) < 200;
            // Painted over the pressed form, the normal one hides it wholly.
            opaque += qAlpha(image.pixel(x, y)) == 255;
        }
    }
    EXPECT_GT(ink, 30);
    EXPECT_EQ(opaque, 16 * 16);
    EXPECT_NE(pictures.speaker->Image(), pictures.speakerPressed->Image());
    EXPECT_EQ(MakeSymbolPictures(100000).speaker->Width(), 256);  // bounded
}

}  // namespace
}  // namespace cartulo::platform
