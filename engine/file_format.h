// Pieces of the card-file layout shared by the reader, the writer and the
// card clipboard format.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/file_error.h"

namespace cartulo {

// The decimal digits of v, padded with spaces on the right and cut to width.
std::string numberField(std::int64_t value, std::size_t width);

// The numeric value of a field: spaces are ignored anywhere, an optional
// sign, then digits up to the first other character; no digits count 0.
std::int64_t fieldValue(std::string_view field);

// One card as the writer needs it; cards sharing a text have one textId.
struct CardToWrite {
    std::string_view entry;
    std::string_view text;
    std::int32_t textId = 0;
    bool main = false;
};

// The bytes of a card file holding `cards` in this order, the main card
// first; an error for no cards or one the format cannot hold.
std::optional<FileError> encodeCards(std::span<const CardToWrite> cards, std::string& out);

}  // namespace cartulo
