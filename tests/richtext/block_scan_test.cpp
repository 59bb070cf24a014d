#include "richtext/block_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "richtext/markup_index.h"

namespace cartulo::richtext {
namespace {

TEST(SplitTag, NameBeforeTheFirstColonValueAfter) {
    const std::tuple<std::string_view, std::string_view, std::string_view> cases[] = {
        {"{T:12}", "T", "12"},     {"{FR:1,2,3,4}", "FR", "1,2,3,4"},
        {"{N}", "N", ""},          {"{/FR}", "/FR", ""},
        {"{\\}", "\\", ""},        {"{L:a:b}", "L", "a:b"},
        {"{T: 12 }", "T", " 12 "}, {"{}", "", ""},
    };
    for (const auto& [tag, name, value] : cases) {
        SCOPED_TRACE(std::string(tag));
        const TagParts parts = SplitTag(tag);
        EXPECT_EQ(parts.name, name);
        EXPECT_EQ(parts.value, value);
    }
}

TEST(FindCloseBrace, FirstBraceUnlessAnOpeningOneComesFirst) {
    EXPECT_EQ(FindCloseBrace("{N}abc", 0), 2u);
    EXPECT_EQ(FindCloseBrace("{a{b}", 0), std::nullopt);
    EXPECT_EQ(FindCloseBrace("{abc", 0), std::nullopt);
    EXPECT_EQ(FindCloseBrace("", 0), std::nullopt);
    EXPECT_EQ(FindCloseBrace("{N}", 5), std::nullopt);
}

struct BlockCase {
    std::string text;
    std::size_t open;
    std::string expectedAt;  // the text that starts at the result ("" for text.size())
};

TEST(FindBlockEnd, MatchingClosingTag) {
    const BlockCase cases[] = {
        {"{FR:1}a{/FR}b", 0, "{/FR}b"},
        {"{FR:1}{FR:2}x{/FR}y{/FR}z", 0, "{/FR}z"},
        {"{FR:1}{FR:2}x{/FR}y{/FR}z", 6, "{/FR}y{/FR}z"},
        {"{FR:1}{O:1,1,t}b{/O}c{/FR}d", 0, "{/FR}d"},
        {"{FR:1}{TB:1,1}a{\\}c{/FR}d", 0, "{/FR}d"},
        // A closing frame tag cuts back the object left open inside it.
        {"{FR:1}{O:1,1,t}b{/FR}c", 0, "{/FR}c"},
        // Never balanced: the first closing tag of any kind.
        {"{FR:1}{FR:2}a{/O}b{/FR}c", 0, "{/O}b{/FR}c"},
        {"{FR:1}no end", 0, ""},
        {"{fr:1}a{/fr}b", 0, "{/fr}b"},
        // A closing tag inside a comment is no tag.
        {"{FR:1}{* {/FR} *}a{/FR}b", 0, "{/FR}b"},
    };
    for (const BlockCase& c : cases) {
        SCOPED_TRACE(c.text);
        const std::size_t end = FindBlockEnd(c.text, c.open);
        EXPECT_EQ(c.text.substr(std::min(end, c.text.size())), c.expectedAt);
    }
}

TEST(FindBlockEnd, DeepNestingIsFoundWithinTheScanLimit) {
    std::string text;
    for (int i = 0; i < 1000; ++i) text += "{FR:1}";
    text += "x";
    for (int i = 0; i < 1000; ++i) text += "{/FR}";
    EXPECT_EQ(FindBlockEnd(text, 0), text.size() - 5);
}

TEST(FindBlockEnd, NeverClosedEndsAtTheFirstClosingTagOfAnyKind) {
    std::string text;
    for (std::size_t i = 0; i < kMaxBlockScanTags + 10; ++i) text += "{FR:1}";
    text += "{/O}";
    EXPECT_EQ(FindBlockEnd(text, 0), text.size() - 4);
    EXPECT_EQ(FindBlockEnd(text, 6 * 100), text.size() - 4);
}

TEST(FindBlockEnd, ABlockCutAwayByAnotherKindIsScannedOnItsOwn) {
    // Read from the start, the {/O} closes the object and cuts the inner
    // frame away; scanned from that frame, the {/O} is nothing and the
    // frame ends at the first {/FR}.
    const std::string text = "{O:1,1,t}{FR:1}a{/O}b{/FR}c{/FR}";
    EXPECT_EQ(text.substr(FindBlockEnd(text, 9)), "{/FR}c{/FR}");
    EXPECT_EQ(text.substr(FindBlockEnd(text, 0)), "{/O}b{/FR}c{/FR}");
}

TEST(FindBlockEnd, OnePassAgreesWithAScanFromEachBlock) {
    // Every opening tag of a tangle of blocks, found both ways.
    const std::string pieces[] = {"{FR:1}", "{/FR}", "{O:1,1,t}", "{/O}", "{TB:1,1}", "{\\}", "x"};
    unsigned seed = 7;
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (int i = 0; i < 30; ++i) {
            seed = seed * 1103515245 + 12345;
            text += pieces[(seed >> 16) % 7];
        }
        const MarkupIndex index(text);
        for (std::size_t i = 0; i < index.BlockTags().size(); ++i) {
            const BlockTagAt tag = index.BlockTags()[i];
            if (IsClosing(tag.kind)) continue;
            // A plain scan: push openers, cut back on closers, stop when empty.
            std::vector<BlockTag> stack;
            std::size_t expected = index.NextClosingTag(tag.pos).value_or(text.size());
            for (std::size_t j = i; j < index.BlockTags().size(); ++j) {
                const BlockTag kind = index.BlockTags()[j].kind;
                if (!IsClosing(kind)) {
                    stack.push_back(kind);
                    continue;
                }
                const BlockTag opener = kind == BlockTag::CloseObject  ? BlockTag::OpenObject
                                        : kind == BlockTag::CloseFrame ? BlockTag::OpenFrame
                                                                       : BlockTag::OpenTable;
                const auto top = std::find(stack.rbegin(), stack.rend(), opener);
                if (top == stack.rend()) continue;
                stack.erase(std::next(top).base(), stack.end());
                if (stack.empty()) {
                    expected = index.BlockTags()[j].pos;
                    break;
                }
            }
            ASSERT_EQ(FindBlockEnd(index, tag.pos), expected) << text << " @" << tag.pos;
        }
    }
}

TEST(MarkupIndex, TagEnds) {
    const MarkupIndex index("{N}{* a } b *}{*}{x");
    EXPECT_EQ(index.TagEnd(0), 3u);
    EXPECT_EQ(index.TagEnd(3), 14u);  // the comment ends at "*}", past its inner "}"
    EXPECT_EQ(index.TagEnd(14), 17u);
    EXPECT_EQ(index.TagEnd(17), std::nullopt);
}

}  // namespace
}  // namespace cartulo::richtext
