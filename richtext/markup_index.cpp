#include "richtext/markup_index.h"

#include <algorithm>

#include "richtext/block_scan.h"
#include "richtext/markup_chars.h"
#include "richtext/tag_params.h"

namespace cartulo::richtext {

namespace {

std::optional<BlockTag> blockTagNamed(std::string_view name) {
    if (EqualsNoCase(name, "O")) return BlockTag::OpenObject;
    if (EqualsNoCase(name, "FR")) return BlockTag::OpenFrame;
    if (EqualsNoCase(name, "TB")) return BlockTag::OpenTable;
    if (EqualsNoCase(name, "/O")) return BlockTag::CloseObject;
    if (EqualsNoCase(name, "/FR")) return BlockTag::CloseFrame;
    if (name == "\\") return BlockTag::CloseTable;
    return std::nullopt;
}

}  // namespace

MarkupIndex::MarkupIndex(std::string_view text) : text_(text) {
    // Each character looked for on its own: find runs far faster than a
    // loop that tests every character for both.
    for (std::size_t i = 0; (i = text.find('}', i)) != std::string_view::npos; ++i) {
        closeBraces_.push_back(i);
        if (i > 0 && text[i - 1] == '*') commentEnds_.push_back(i - 1);
    }
    for (std::size_t i = 0; (i = text.find(kCloseQuote, i)) != std::string_view::npos; ++i) {
        closeQuotes_.push_back(i);
    }
    // The tags as a reader walking from the start meets them.
    std::size_t i = 0;
    while ((i = text.find('{', i)) != std::string_view::npos) {
        const std::optional<std::size_t> end = TagEnd(i);
        if (!end) {
            ++i;
            continue;
        }
        const std::string_view tag = text.substr(i, *end - i);
        if (tag.size() >= 2 && tag[1] != '*') {
            if (EqualsNoCase(tag, "{/O}")) objectEnds_.push_back(i);
            if (StartsWithNoCase(tag, "{O:")) objectStarts_.push_back(i);
            if (const auto kind = blockTagNamed(SplitTag(tag).name))
                blockTags_.push_back({i, *kind});
        }
        i = *end;
    }
    const std::size_t count = blockTags_.size();
    closingObjectsFrom_.assign(count + 1, 0);
    closingFramesFrom_.assign(count + 1, 0);
    closingTablesFrom_.assign(count + 1, 0);
    for (std::size_t k = count; k-- > 0;) {
        const BlockTag kind = blockTags_[k].kind;
        closingObjectsFrom_[k] = closingObjectsFrom_[k + 1] + (kind == BlockTag::CloseObject);
        closingFramesFrom_[k] = closingFramesFrom_[k + 1] + (kind == BlockTag::CloseFrame);
        closingTablesFrom_[k] = closingTablesFrom_[k + 1] + (kind == BlockTag::CloseTable);
    }
    for (const BlockTagAt& tag : blockTags_) {
        if (IsClosing(tag.kind)) closingTags_.push_back(tag.pos);
    }
    blockMatches_ = MatchBlocks(blockTags_);
}

std::optional<std::size_t> MarkupIndex::NextClosingTag(std::size_t pos) const {
    return firstAtOrAfter(closingTags_, pos + 1);
}

std::size_t MarkupIndex::ClosingTagsFrom(std::size_t i, BlockTag closing) const {
    const std::vector<std::size_t>& from = closing == BlockTag::CloseObject  ? closingObjectsFrom_
                                           : closing == BlockTag::CloseFrame ? closingFramesFrom_
                                                                             : closingTablesFrom_;
    return i < from.size() ? from[i] : 0;
}

std::optional<std::size_t> MarkupIndex::firstAtOrAfter(const std::vector<std::size_t>& positions,
                                                       std::size_t pos) {
    const auto it = std::lower_bound(positions.begin(), positions.end(), pos);
    if (it == positions.end()) return std::nullopt;
    return *it;
}

std::optional<std::size_t> MarkupIndex::TagEnd(std::size_t pos) const {
    if (pos + 1 < text_.size() && text_[pos + 1] == '*') {
        // "{*}" counts as an empty comment: its "*}" may share the star.
        const auto end = firstAtOrAfter(commentEnds_, pos + 1);
        if (!end) return std::nullopt;
        return *end + 2;
    }
    const auto brace = firstAtOrAfter(closeBraces_, pos + 1);
    if (!brace) return std::nullopt;
    return *brace + 1;
}

std::optional<std::size_t> MarkupIndex::NextObjectEnd(std::size_t pos) const {
    return firstAtOrAfter(objectEnds_, pos);
}

std::optional<std::size_t> MarkupIndex::NextObjectStart(std::size_t pos) const {
    return firstAtOrAfter(objectStarts_, pos);
}

std::optional<std::size_t> MarkupIndex::NextCloseQuote(std::size_t pos) const {
    return firstAtOrAfter(closeQuotes_, pos);
}

}  // namespace cartulo::richtext
