// A temporary folder for one test, and the bytes of the files in it.
#pragma once

#include <string>
#include <vector>

#include "../support/temp_dir.h"

using cartulo::support::testing::readBytes;
using cartulo::support::testing::writeBytes;

class ScratchDir : public cartulo::support::testing::TempDir {
  public:
    std::string path(const std::string& name) const { return file(name); }
};

// A card file as the format lays it out: the main card's record first,
// then each record as given. Entries and texts are Windows-1252 bytes.
struct Record {
    std::string entry;
    std::string text;
};
std::string cardFileBytes(const std::vector<Record>& records);
