// Tag splitting and the scans that find where braces and blocks end. All
// positions are 0-based indexes into the text.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace cartulo::richtext {

class MarkupIndex;

struct TagParts {
    std::string_view name;   // without its colon
    std::string_view value;  // as written, not trimmed
};

// Name and value of a tag given with its braces: the name runs from after
// "{" to the first colon, the value from there to the closing brace; with
// no colon the whole inside is the name.
TagParts SplitTag(std::string_view tag);

// The position of the first "}" after pos, or nothing when a "{" comes
// first or there is none.
std::optional<std::size_t> FindCloseBrace(std::string_view text, std::size_t pos);

// The position of the tag that closes the block opened by the tag at pos:
// nested blocks are counted on a stack, and a closing tag cuts the stack
// back to its own kind. When the stack never empties, the first closing tag
// of any kind after pos; when there is none, text.size().
std::size_t FindBlockEnd(std::string_view text, std::size_t pos);
std::size_t FindBlockEnd(const MarkupIndex& index, std::size_t pos);

// A block that another kind's closing tag cut away is scanned on its own,
// over at most this many block tags: nesting in a real card is a handful
// deep, and a hostile text of thousands of such blocks would otherwise cost
// a rescan of the rest of the text per block.
inline constexpr std::size_t kMaxBlockScanTags = 4096;

}  // namespace cartulo::richtext
