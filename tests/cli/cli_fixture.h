// Each test gets its own folder and a card file path in it.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <functional>

#include <gtest/gtest.h>

#include "ctu_process.h"
#include "scratch.h"

// A run that failed with this exit code, silent on stdout, saying `message`.
inline void expectFailure(const CtuRun& run, int exitCode, const std::string& message) {
    EXPECT_EQ(run.exitCode, exitCode) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
}

// What a successful run, silent on stderr, printed.
inline std::string okOut(const std::vector<std::string>& args, std::string_view input = {}) {
    const auto run = ctu(args, input);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    return run.out;
}

// How many pixels of the image satisfy the test.
inline int countPixels(const QImage& image, const std::function<bool(QColor)>& test) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) n += test(image.pixelColor(x, y)) ? 1 : 0;
    }
    return n;
}

inline bool isWhite(QColor c) {
    return c.red() == 255 && c.green() == 255 && c.blue() == 255;
}
inline bool isRed(QColor c) {
    return c.red() == 255 && c.green() == 0 && c.blue() == 0;
}
inline bool isDark(QColor c) {
    return c.value() < 100;
}

class CliTest : public ::testing::Test {
  protected:
    void writeCardFile(const std::vector<Record>& records) {
        writeBytes(file, cardFileBytes(records));
    }

    // Runs ctu with args, which must succeed silently, and reads the PNG it wrote.
    QImage pngFrom(const std::vector<std::string>& args, const std::string& png) {
        EXPECT_EQ(okOut(args), "");
        QImage image(QString::fromStdString(png));
        EXPECT_FALSE(image.isNull()) << "no PNG at " << png;
        return image;
    }

    ScratchDir dir;
    std::string file = dir.path("agenda.ctu");
};
