// Cuts a script into tokens, one at a time, from the front of the text not
// yet consumed.
#pragma once

#include <string_view>

namespace cartulo::drawscript {

// The numbers are those the language gives its token types.
enum class TokenType : int {
    Literal = -1,  // any other word ("azul_o", "#ff0000", a lone ":")
    End = 0,       // only blanks remained
    Command = 1,   // an identifier: an ASCII letter, then letters or digits
    Number = 2,
    String = 3,    // between double or single quotes, without them
    Variable = 4,  // ":" and a name
    Comment = 5,   // "[" to the next "]"; its text is not kept
};

struct Token {
    TokenType type = TokenType::End;
    std::string_view text;  // a view into the script
};

class Tokenizer {
  public:
    explicit Tokenizer(std::string_view script) : rest_(script) {}

    // The next token. Leading blanks (space, tab, CR, LF) are removed even
    // when only looking ahead (`consume` false); the token itself is
    // removed only when consuming.
    Token Next(bool consume);

    // The text not yet consumed; execution ends when it is empty.
    std::string_view Remaining() const { return rest_; }

  private:
    std::string_view rest_;
};

// True for a word that starts with an ASCII letter and holds only ASCII
// letters and digits.
bool IsIdentifier(std::string_view word);

}  // namespace cartulo::drawscript
