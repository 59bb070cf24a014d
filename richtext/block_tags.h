// The tags that open and close blocks (objects, frames, tables), and which
// closing tag ends each block when the whole text is read in one pass.
#pragma once

#include <cstddef>
#include <vector>

namespace cartulo::richtext {

enum class BlockTag { OpenObject, OpenFrame, OpenTable, CloseObject, CloseFrame, CloseTable };

struct BlockTagAt {
    std::size_t pos;  // of its "{"
    BlockTag kind;
};

inline bool IsClosing(BlockTag kind) {
    return kind == BlockTag::CloseObject || kind == BlockTag::CloseFrame ||
           kind == BlockTag::CloseTable;
}

// What became of an opening tag when all blocks are counted on one stack
// from the start of the text.
enum class BlockFate {
    Closed,       // its own closing tag ended it, at `closer`
    NeverClosed,  // still open at the end of the text
    CutAway,      // a closing tag of another kind, matching a block below it, cut it away
};

struct BlockMatch {
    BlockFate fate = BlockFate::NeverClosed;
    std::size_t closer = 0;  // index into the tags, for Closed
};

// One entry per tag (those of closing tags mean nothing).
std::vector<BlockMatch> MatchBlocks(const std::vector<BlockTagAt>& tags);

}  // namespace cartulo::richtext
