// Pieces of the card-file layout shared by the reader, the writer and the
// card clipboard format.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cartulo {

// The decimal digits of v, padded with spaces on the right and cut to width.
std::string numberField(std::int64_t value, std::size_t width);

// The numeric value of a field: spaces are ignored anywhere, an optional
// sign, then digits up to the first other character; no digits count 0.
std::int64_t fieldValue(std::string_view field);

}  // namespace cartulo
