// Where the braces, comment ends, quotes and block tags of one text lie,
// found in one pass so that every later "where is the next ..." question is
// a binary search. Hostile texts (thousands of unclosed braces) would
// otherwise make each tag rescan the rest of the text.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "richtext/block_tags.h"

namespace cartulo::richtext {

class MarkupIndex {
  public:
    // The text must outlive the index.
    explicit MarkupIndex(std::string_view text);

    std::string_view Text() const { return text_; }

    // One past the end of the tag whose "{" is at pos (a comment "{*" ends
    // after its "*}"), or nothing when it is never closed.
    std::optional<std::size_t> TagEnd(std::size_t pos) const;

    // The first "{/O}" and the first "{O:" tag at or after pos.
    std::optional<std::size_t> NextObjectEnd(std::size_t pos) const;
    std::optional<std::size_t> NextObjectStart(std::size_t pos) const;
    // The first closing quote at or after pos.
    std::optional<std::size_t> NextCloseQuote(std::size_t pos) const;

    // Opening and closing block tags in text order (by the names that the
    // block scanner reads, without their colon).
    const std::vector<BlockTagAt>& BlockTags() const { return blockTags_; }
    // How many closing tags of each kind (object, frame, table) lie at
    // BlockTags()[i] or after it.
    std::size_t ClosingTagsFrom(std::size_t i, BlockTag closing) const;
    // What one pass from the start says of each block tag.
    const std::vector<BlockMatch>& BlockMatches() const { return blockMatches_; }
    // The first closing block tag after pos.
    std::optional<std::size_t> NextClosingTag(std::size_t pos) const;

  private:
    static std::optional<std::size_t> firstAtOrAfter(const std::vector<std::size_t>& positions,
                                                     std::size_t pos);

    std::string_view text_;
    std::vector<std::size_t> closeBraces_;
    std::vector<std::size_t> commentEnds_;  // positions of "*}"
    std::vector<std::size_t> objectStarts_;
    std::vector<std::size_t> objectEnds_;
    std::vector<std::size_t> closeQuotes_;
    std::vector<BlockTagAt> blockTags_;
    std::vector<std::size_t> closingObjectsFrom_, closingFramesFrom_, closingTablesFrom_;
    std::vector<BlockMatch> blockMatches_;
    std::vector<std::size_t> closingTags_;  // positions
};

}  // namespace cartulo::richtext
