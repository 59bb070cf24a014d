#include "richtext/markup_reader.h"

#include "richtext/block_scan.h"
#include "richtext/error_list.h"
#include "richtext/markup_chars.h"
#include "richtext/tag_params.h"

namespace cartulo::richtext {

namespace {

bool endsWord(std::string_view text, std::size_t i) {
    return text[i] == kBlank || IsQuote(text[i]) || IsCrLfAt(text, i);
}

void addText(Token& token, std::string_view text) {
    if (text.empty()) return;
    Piece piece;
    piece.text = text;
    token.pieces.push_back(piece);
}

}  // namespace

bool ReadTag(std::string_view tag, Piece& piece) {
    if (tag.size() < 2) return false;
    const std::string_view inside = tag.substr(1, tag.size() - 2);
    if (inside.empty() || inside.starts_with('*')) return false;
    piece = {};
    piece.kind = Piece::Kind::Tag;
    piece.text = tag;
    if (inside.starts_with('@')) {
        piece.name = inside.substr(0, 1);
        piece.value = inside.substr(1);
        return true;
    }
    const std::size_t colon = inside.find(':');
    if (colon == std::string_view::npos) {
        piece.name = inside;
    } else {
        piece.name = inside.substr(0, colon + 1);
        piece.value = TrimBlanks(inside.substr(colon + 1));
    }
    return true;
}

MarkupReader::MarkupReader(std::string_view text) : index_(text) {}

Token MarkupReader::NextToken(std::size_t pos, ErrorList* errors) const {
    const std::string_view text = Text();
    Token token;
    token.begin = pos;
    token.end = pos;
    if (pos >= text.size() || IsCrLfAt(text, pos)) return token;
    if (IsQuote(text[pos])) {
        token.quote = text[pos];
        token.end = pos + 1;
        return token;
    }

    std::size_t i = pos;
    std::size_t textStart = pos;
    while (i < text.size() && !endsWord(text, i)) {
        if (text[i] != '{') {
            ++i;
            continue;
        }
        addText(token, text.substr(textStart, i - textStart));
        const std::optional<std::size_t> end = index_.TagEnd(i);
        if (!end) {
            if (errors) errors->Add(message::kUnclosedBraces);
            // The rest of the word is shown as written.
            textStart = i;
            while (i < text.size() && !endsWord(text, i)) ++i;
            break;
        }
        Piece piece;
        if (ReadTag(text.substr(i, *end - i), piece)) {
            std::size_t next = *end;
            if (EqualsNoCase(piece.name, "O:")) {
                // An object's body runs to the first {/O}, unless another
                // object starts first; then it has none.
                // Objects do not nest: a second {O: ends this one; the {/O} is the second's.
                const auto close = index_.NextObjectEnd(next);
                const auto nextObject = index_.NextObjectStart(next);
                if (close && !(nextObject && *nextObject < *close)) {
                    piece.kind = Piece::Kind::Object;
                    piece.body = text.substr(next, *close - next);
                    next = *close + 4;
                } else {
                    piece.kind = Piece::Kind::Object;
                }
            } else if (EqualsNoCase(piece.name, "FR:")) {
                const std::size_t close = FindBlockEnd(index_, i);
                piece.kind = Piece::Kind::Frame;
                if (close >= text.size()) {
                    piece.body = text.substr(next);
                    next = text.size();
                } else {
                    piece.body = text.substr(next, close - next);
                    next = index_.TagEnd(close).value_or(text.size());
                }
            }
            token.pieces.push_back(piece);
            i = next;
        } else {
            i = *end;
        }
        textStart = i;
    }
    const std::size_t wordEnd = i;
    while (i < text.size() && text[i] == kBlank) ++i;
    token.blanks = i - wordEnd;
    // The blanks join the word's last text when they follow it directly.
    addText(token, text.substr(textStart, i - textStart));
    token.end = i;
    return token;
}

}  // namespace cartulo::richtext
