// Splits card text into the tokens that layout places: a word with the
// tags inside it and the blanks after it, or a hypertext quote alone.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "richtext/markup_index.h"

namespace cartulo::richtext {

class ErrorList;

struct Piece {
    enum class Kind {
        Text,    // characters printed in the current style
        Tag,     // a tag; comments and "{}" are dropped
        Object,  // {O:...} with its body (empty when it has no {/O})
        Frame,   // {FR:...} with its body
    };
    Kind kind = Kind::Text;
    std::string_view text;   // Text: the characters; otherwise the whole tag with braces
    std::string_view name;   // with its colon: "T:", "N", "@"
    std::string_view value;  // trimmed; an expression's value as written
    std::string_view body;   // Object and Frame only
};

struct Token {
    std::size_t begin = 0;
    std::size_t end = 0;  // one past the blanks that follow the word
    char quote = 0;       // « or » when the token is that quote alone
    std::vector<Piece> pieces;
    // The blanks after the word. When the word ends in text they end its
    // last Text piece; otherwise they are a Text piece of their own.
    std::size_t blanks = 0;

    bool IsQuote() const { return quote != 0; }
};

class MarkupReader {
  public:
    // The text must outlive the reader.
    explicit MarkupReader(std::string_view text);

    std::string_view Text() const { return index_.Text(); }
    const MarkupIndex& Index() const { return index_; }

    // The token at pos. Empty (begin == end) at a CR LF or the end of the
    // text, which are no part of any token. Unclosed braces are reported
    // to `errors` when it is given.
    Token NextToken(std::size_t pos, ErrorList* errors) const;

  private:
    MarkupIndex index_;
};

// Splits one tag (braces included) into its piece; nothing for a comment
// or "{}".
bool ReadTag(std::string_view tag, Piece& piece);

}  // namespace cartulo::richtext
