// A temporary folder for one test, and the bytes of the files in it.
#pragma once

#include <string>
#include <vector>

class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string path(const std::string& name) const { return root_ + "/" + name; }

  private:
    std::string root_;
};

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);

// A card file as the format lays it out: the main card's record first,
// then each record as given. Entries and texts are Windows-1252 bytes.
struct Record {
    std::string entry;
    std::string text;
};
std::string cardFileBytes(const std::vector<Record>& records);
