#include "richtext/block_scan.h"

#include <algorithm>
#include <array>
#include <vector>

#include "richtext/markup_index.h"

namespace cartulo::richtext {

namespace {

enum class Block { Object = 0, Frame = 1, Table = 2 };

Block blockOf(BlockTag kind) {
    switch (kind) {
        case BlockTag::OpenObject:
        case BlockTag::CloseObject:
            return Block::Object;
        case BlockTag::OpenFrame:
        case BlockTag::CloseFrame:
            return Block::Frame;
        case BlockTag::OpenTable:
        case BlockTag::CloseTable:
            break;
    }
    return Block::Table;
}

BlockTag closingOf(Block block) {
    switch (block) {
        case Block::Object:
            return BlockTag::CloseObject;
        case Block::Frame:
            return BlockTag::CloseFrame;
        case Block::Table:
            break;
    }
    return BlockTag::CloseTable;
}

std::size_t slot(Block block) {
    return static_cast<std::size_t>(block);
}

// The stack of one scan, with what tells early that it can never empty:
// entries of the bottom's kind that no other kind's closing tag can cut
// away need one closing tag of their own each.
class BlockStack {
  public:
    explicit BlockStack(Block bottom) : bottom_(bottom) {}

    bool Empty() const { return entries_.empty(); }

    void Push(Block block) {
        if (block != bottom_ && lowestOther_ == kNone) lowestOther_ = entries_.size();
        const std::size_t below = entries_.empty() ? 0 : bottomKindUpTo_.back();
        entries_.push_back(block);
        bottomKindUpTo_.push_back(below + (block == bottom_));
        ++open_[slot(block)];
    }

    // Cuts the stack back to below the topmost entry of the block's kind;
    // nothing happens when none is open.
    void Close(Block block) {
        if (open_[slot(block)] == 0) return;
        while (entries_.back() != block) pop();
        pop();
    }

    // Closing tags of the bottom's kind this stack still needs.
    std::size_t Needed() const {
        if (entries_.empty()) return 0;
        return lowestOther_ == kNone ? bottomKindUpTo_.back() : bottomKindUpTo_[lowestOther_];
    }

  private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    void pop() {
        --open_[slot(entries_.back())];
        entries_.pop_back();
        bottomKindUpTo_.pop_back();
        if (lowestOther_ != kNone && lowestOther_ >= entries_.size()) lowestOther_ = kNone;
    }

    Block bottom_;
    std::vector<Block> entries_;
    std::vector<std::size_t> bottomKindUpTo_;  // entries of the bottom's kind in [0, i]
    std::size_t lowestOther_ = kNone;
    std::array<std::size_t, 3> open_{};
};

// The scan itself, from the opening tag at `first`, for blocks whose fate
// in the one-pass reading does not settle it.
std::size_t scanFrom(const MarkupIndex& index, std::size_t first, std::size_t pos) {
    const std::vector<BlockTagAt>& tags = index.BlockTags();
    const Block bottom = blockOf(tags[first].kind);
    BlockStack stack(bottom);
    const std::size_t last = std::min(tags.size(), first + kMaxBlockScanTags);
    for (std::size_t i = first; i < last; ++i) {
        const Block block = blockOf(tags[i].kind);
        if (IsClosing(tags[i].kind)) {
            stack.Close(block);
            if (stack.Empty()) return tags[i].pos;
        } else {
            stack.Push(block);
        }
        if (stack.Needed() > index.ClosingTagsFrom(i + 1, closingOf(bottom))) break;
    }
    return index.NextClosingTag(pos).value_or(index.Text().size());
}

}  // namespace

std::vector<BlockMatch> MatchBlocks(const std::vector<BlockTagAt>& tags) {
    std::vector<BlockMatch> matches(tags.size());
    std::vector<std::size_t> stack;                // indexes of open tags
    std::array<std::vector<std::size_t>, 3> open;  // stack depths, by kind
    for (std::size_t i = 0; i < tags.size(); ++i) {
        const Block block = blockOf(tags[i].kind);
        if (!IsClosing(tags[i].kind)) {
            open[slot(block)].push_back(stack.size());
            stack.push_back(i);
            continue;
        }
        if (open[slot(block)].empty()) continue;
        const std::size_t depth = open[slot(block)].back();
        while (stack.size() > depth + 1) {
            const std::size_t cut = stack.back();
            matches[cut].fate = BlockFate::CutAway;
            open[slot(blockOf(tags[cut].kind))].pop_back();
            stack.pop_back();
        }
        matches[stack.back()] = {BlockFate::Closed, i};
        open[slot(block)].pop_back();
        stack.pop_back();
    }
    return matches;
}

TagParts SplitTag(std::string_view tag) {
    if (tag.starts_with('{')) tag.remove_prefix(1);
    if (tag.ends_with('}')) tag.remove_suffix(1);
    const std::size_t colon = tag.find(':');
    if (colon == std::string_view::npos) return {tag, {}};
    return {tag.substr(0, colon), tag.substr(colon + 1)};
}

std::optional<std::size_t> FindCloseBrace(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) return std::nullopt;
    const std::size_t found = text.find_first_of("{}", pos + 1);
    if (found == std::string_view::npos || text[found] == '{') return std::nullopt;
    return found;
}

std::size_t FindBlockEnd(std::string_view text, std::size_t pos) {
    return FindBlockEnd(MarkupIndex(text), pos);
}

std::size_t FindBlockEnd(const MarkupIndex& index, std::size_t pos) {
    const std::vector<BlockTagAt>& tags = index.BlockTags();
    const auto found =
        std::lower_bound(tags.begin(), tags.end(), pos,
                         [](const BlockTagAt& t, std::size_t p) { return t.pos < p; });
    const std::size_t first = static_cast<std::size_t>(found - tags.begin());
    if (found == tags.end() || IsClosing(found->kind)) {
        return index.NextClosingTag(pos).value_or(index.Text().size());
    }
    // Read from the start, a block either ends at its own closing tag, which
    // a scan from it would find too, or stays open to the end, and then a
    // scan from it would never empty its stack; only a block cut away by
    // another kind's closing tag needs a scan of its own.
    const BlockMatch& match = index.BlockMatches()[first];
    switch (match.fate) {
        case BlockFate::Closed:
            return tags[match.closer].pos;
        case BlockFate::NeverClosed:
            return index.NextClosingTag(pos).value_or(index.Text().size());
        case BlockFate::CutAway:
            break;
    }
    return scanFrom(index, first, pos);
}

}  // namespace cartulo::richtext
