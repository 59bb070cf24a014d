// The three scanners that cut a command's argument list out of the text.
// Positions are 0-based offsets into the text that follows the "@" (the
// three-letter name, then the "[" at offset 3). They know nothing of
// escapes or literal runs: every "[", "]" and "," counts.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace cartulo::formula {

// Offset of the "]" that closes the "[" at `start`.
std::size_t FindClosingBracket(std::string_view text, std::size_t start);
// Offset of the first comma at depth 0 after the "[" at `start`.
std::size_t FindFirstComma(std::string_view text, std::size_t start);
// Offset of the next comma at depth 0 after the "," at `start`.
std::size_t FindNextComma(std::string_view text, std::size_t start);

// Where the argument list of a command opens.
inline constexpr std::size_t kListStart = 3;

// A command's arguments and the text after its closing bracket.
struct ArgumentList {
    std::vector<std::string_view> arguments;
    std::string_view rest;
};

// Cuts `count` (1 to 3) arguments from the list at kListStart: the last one
// takes everything up to the closing bracket, surplus commas included.
ArgumentList CutArguments(std::string_view text, std::size_t count);

}  // namespace cartulo::formula
