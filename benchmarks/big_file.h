// The large sample file: a full store of 5000 cards (the main card
// included) holding about 20 MB of text.
#pragma once

#include <string>

namespace cartulo::bench {

inline constexpr int kBigFileCards = 5000;
inline constexpr long long kBigFileBytes = 20'000'000;

// Writes it to `path` and returns its size in bytes.
long long WriteBigFile(const std::string& path);

}  // namespace cartulo::bench
