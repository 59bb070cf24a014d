// Each test gets its own folder and a card file path in it.
#pragma once

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include "ctu_process.h"
#include "scratch.h"

class CliTest : public ::testing::Test {
  protected:
    void writeCardFile(const std::vector<Record>& records) {
        writeBytes(file, cardFileBytes(records));
    }

    // Runs ctu with args, which must succeed silently, and reads the PNG it wrote.
    QImage pngFrom(const std::vector<std::string>& args, const std::string& png) {
        const auto run = ctu(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "");
        QImage image(QString::fromStdString(png));
        EXPECT_FALSE(image.isNull()) << "no PNG at " << png;
        return image;
    }

    ScratchDir dir;
    std::string file = dir.path("agenda.ctu");
};
