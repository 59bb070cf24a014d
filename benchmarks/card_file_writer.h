// Writes the card-file format record by record, so sample files of any size
// (and shapes the engine's own writer never makes, such as chains of sister
// references) are produced without holding them in memory.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace cartulo::bench {

class CardFileWriter {
  public:
    // `records` counts every record, the main card's included.
    CardFileWriter(const std::string& path, int records);
    ~CardFileWriter();
    CardFileWriter(const CardFileWriter&) = delete;
    CardFileWriter& operator=(const CardFileWriter&) = delete;

    // The main card comes first, with the entry "". A text may be a sister
    // reference: "@@" and the entry of a card written before.
    void Add(std::string_view entry, std::string_view text);
    // Throws when fewer records were added than announced or writing failed.
    void Finish();

    long long BytesWritten() const { return bytes_; }

  private:
    void Put(std::string_view bytes);

    std::string path_;
    std::FILE* file_;
    int remaining_;
    long long bytes_ = 0;
};

// The decimal digits of `value`, padded with spaces to `width`.
std::string NumberField(long long value, std::size_t width);

}  // namespace cartulo::bench
