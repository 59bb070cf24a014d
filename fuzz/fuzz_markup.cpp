// The markup reader's pieces on arbitrary text: tokens make progress and
// stay inside the text, tag ends and brace searches point at braces, block
// ends agree with a plain stack scan, colours are colours or refusals, and
// the table and continuation rewrites finish, and the links read lie in the
// text in order, each starting at its « or its tag.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "richtext/block_scan.h"
#include "richtext/card_links.h"
#include "richtext/color_notation.h"
#include "richtext/error_list.h"
#include "richtext/markup_chars.h"
#include "richtext/markup_index.h"
#include "richtext/markup_reader.h"
#include "richtext/tag_kind.h"
#include "richtext/tag_params.h"
#include "richtext/text_continuation.h"

namespace {

using namespace cartulo::richtext;

// Block ends checked against the reference scan per input; the reference
// costs a pass over the tags each.
constexpr std::size_t kBlockEndsChecked = 256;
// FindBlockEnd on the bare text builds an index per call.
constexpr std::size_t kTextBlockEndsChecked = 16;

void Require(bool ok) {
    if (!ok) __builtin_trap();
}

// An empty view may point anywhere; any other must lie inside the text.
bool Inside(std::string_view text, std::string_view part) {
    if (part.empty()) return true;
    return part.data() >= text.data() && part.data() + part.size() <= text.data() + text.size();
}

bool IsColor(cartulo::Color c) {
    return c == kInvalidColor || c == kColor3D || (c >= 0 && c <= 0xFFFFFF);
}

// The block end by its definition: every block tag from the one at `first`
// counted on one stack, a closing tag cutting the stack back to the newest
// block of its kind; when the stack never empties, the first closing tag
// after the opening one.
std::size_t ReferenceBlockEnd(const std::vector<BlockTagAt>& tags, std::size_t first,
                              std::size_t textSize) {
    const auto kindOf = [](BlockTag tag) {
        switch (tag) {
            case BlockTag::OpenObject:
            case BlockTag::CloseObject:
                return 0;
            case BlockTag::OpenFrame:
            case BlockTag::CloseFrame:
                return 1;
            default:
                return 2;
        }
    };
    std::vector<int> stack;
    for (std::size_t i = first; i < tags.size(); ++i) {
        const int kind = kindOf(tags[i].kind);
        if (!IsClosing(tags[i].kind)) {
            stack.push_back(kind);
            continue;
        }
        const auto open = std::find(stack.rbegin(), stack.rend(), kind);
        if (open == stack.rend()) continue;
        stack.erase(std::prev(open.base()), stack.end());
        if (stack.empty()) return tags[i].pos;
    }
    for (std::size_t i = first + 1; i < tags.size(); ++i) {
        if (IsClosing(tags[i].kind)) return tags[i].pos;
    }
    return textSize;
}

void CheckPiece(std::string_view text, const Piece& piece) {
    Require(Inside(text, piece.text) && Inside(text, piece.name) && Inside(text, piece.value) &&
            Inside(text, piece.body));
    if (piece.kind == Piece::Kind::Text) return;
    Require(piece.text.size() >= 2 && piece.text.front() == '{' && piece.text.back() == '}');
    KindOfTag(piece.name);
    HasValue(piece.name);
    const cartulo::Color c = ParseColor(piece.value, {cartulo::Rgb(1, 2, 3), 0});
    Require(IsColor(c));
    Require(std::isfinite(ParseNumber(piece.value)));
    for (int n = 1; n <= 3; ++n) {
        Require(Inside(piece.value, GetParam(piece.value, n)));
        Require(Inside(piece.value, GetParamRest(piece.value, n)));
    }
}

void CheckTokens(std::string_view text) {
    const MarkupReader reader(text);
    ErrorList errors;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const Token token = reader.NextToken(pos, &errors);
        Require(token.begin == pos && token.end <= text.size());
        if (token.end == pos) {
            // Only a paragraph end is no part of a token.
            Require(IsCrLfAt(text, pos));
            pos += 2;
            continue;
        }
        if (token.IsQuote()) Require(token.end == pos + 1 && IsQuote(text[pos]));
        Require(token.blanks <= token.end - token.begin);
        for (const Piece& piece : token.pieces) CheckPiece(text, piece);
        pos = token.end;
    }
    Require(errors.Count() <= ErrorList::kMaxErrors);
}

void CheckBracesAndBlocks(std::string_view text) {
    const MarkupIndex index(text);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '{') continue;
        if (const auto end = index.TagEnd(i)) {
            Require(*end > i + 1 && *end <= text.size() && text[*end - 1] == '}');
            Piece piece;
            if (ReadTag(text.substr(i, *end - i), piece)) CheckPiece(text, piece);
            const TagParts parts = SplitTag(text.substr(i, *end - i));
            Require(Inside(text, parts.name) && Inside(text, parts.value));
        }
        if (const auto close = FindCloseBrace(text, i)) {
            Require(*close > i && *close < text.size() && text[*close] == '}');
            Require(text.substr(i + 1, *close - i - 1).find('{') == std::string_view::npos);
        }
    }

    const std::vector<BlockTagAt>& tags = index.BlockTags();
    for (std::size_t i = 0; i < tags.size(); ++i) {
        Require(tags[i].pos < text.size() && text[tags[i].pos] == '{');
        if (i > 0) Require(tags[i - 1].pos < tags[i].pos);
    }
    std::size_t checked = 0;
    for (std::size_t i = 0; i < tags.size() && checked < kBlockEndsChecked; ++i) {
        if (IsClosing(tags[i].kind)) continue;
        const std::size_t end = FindBlockEnd(index, tags[i].pos);
        Require(end == ReferenceBlockEnd(tags, i, text.size()));
        if (checked < kTextBlockEndsChecked) Require(FindBlockEnd(text, tags[i].pos) == end);
        ++checked;
    }
    for (const std::size_t pos : {std::size_t{0}, text.size() / 3, text.size()}) {
        Require(FindBlockEnd(index, pos) <= text.size());
    }
}

void CheckValues(std::string_view text) {
    Require(IsColor(ParseColor(text, {cartulo::Rgb(1, 2, 3), cartulo::Rgb(4, 5, 6)})));
    Require(std::isfinite(ParseNumber(text)));
    IsNumeric(text);
    Require(Inside(text, TrimBlanks(text)));
    KindOfTag(text);
    HasValue(text);
}

void CheckRewrites(std::string_view text) {
    const std::string normalized = NormalizeTables(text);
    Require(normalized.size() >= text.size());
    // Layout normalises a page cut from an already normalised text again.
    Require(NormalizeTables(normalized) == normalized);
    for (const std::size_t position :
         {std::size_t{0}, std::size_t{1}, text.size() / 2 + 1, text.size() + 1}) {
        CutAt(text, position);
    }
}

void CheckErrorList(std::string_view text) {
    ErrorList list;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        list.Add(text.substr(start, end - start));
        Require(list.Count() <= ErrorList::kMaxErrors);
        start = end + 1;
    }
    for (std::size_t i = 0; i < list.Count(); ++i) Require(&list.At(i) == &list.All()[i]);
    Require(list.At(list.Count()).empty());
}

void CheckLinks(std::string_view text) {
    std::size_t last = 0;
    for (const cartulo::CardLink& link : cartulo::ReadCardLinks(text)) {
        Require(link.position >= last && link.length > 0);
        Require(link.position + link.length <= text.size());
        Require(text[link.position] == kOpenQuote || text[link.position] == '{');
        last = link.position;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckTokens(text);
    CheckBracesAndBlocks(text);
    CheckValues(text);
    CheckRewrites(text);
    CheckErrorList(text);
    CheckLinks(text);
    return 0;
}
