// Deterministic Spanish-looking words, entries and card texts in
// Windows-1252 bytes, so every run measures the same content.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace cartulo::bench {

class SpanishText {
  public:
    explicit SpanishText(std::uint64_t seed) : state_(seed) {}

    std::string Word();
    // Two words and the number, so entries made with different numbers never
    // collide, whatever the words.
    std::string Entry(int number);
    // Sentences in lines ended by CR LF, exactly `length` bytes long.
    std::string Text(std::size_t length);
    // A number in [0, bound).
    std::size_t Below(std::size_t bound);

  private:
    std::uint64_t Next();
    std::uint64_t state_;
};

}  // namespace cartulo::bench
