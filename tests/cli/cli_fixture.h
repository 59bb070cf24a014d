// Each test gets its own folder and a card file path in it.
#pragma once

#include <gtest/gtest.h>

#include "ctu_process.h"
#include "scratch.h"

class CliTest : public ::testing::Test {
  protected:
    void writeCardFile(const std::vector<Record>& records) {
        writeBytes(file, cardFileBytes(records));
    }

    ScratchDir dir;
    std::string file = dir.path("agenda.ctu");
};
