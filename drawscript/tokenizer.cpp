#include "drawscript/tokenizer.h"

#include <algorithm>

#include "drawscript/script_number.h"

namespace cartulo::drawscript {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A word ends at a space, a tab or a CR LF pair, never at a lone CR or LF.
// One pass, so that a script without tabs is not scanned to its end for
// each word.
std::size_t wordEnd(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == '\t') return i;
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') return i;
    }
    return text.size();
}

}  // namespace

bool IsIdentifier(std::string_view word) {
    return !word.empty() && isLetter(word[0]) &&
           std::all_of(word.begin() + 1, word.end(),
                       [](char c) { return isLetter(c) || isDigit(c); });
}

Token Tokenizer::Next(bool consume) {
    const auto firstWord = std::find_if_not(rest_.begin(), rest_.end(), isBlank);
    rest_.remove_prefix(static_cast<std::size_t>(firstWord - rest_.begin()));
    if (rest_.empty()) return {TokenType::End, {}};

    const char first = rest_[0];
    if (first == '"' || first == '\'') {
        const std::size_t close = rest_.find(first, 1);
        const std::string_view text =
            close == std::string_view::npos ? rest_.substr(1) : rest_.substr(1, close - 1);
        if (consume) {
            rest_.remove_prefix(close == std::string_view::npos ? rest_.size() : close + 1);
        }
        return {TokenType::String, text};
    }
    if (first == '[') {
        if (consume) {
            const std::size_t close = rest_.find(']');
            rest_.remove_prefix(close == std::string_view::npos ? rest_.size() : close + 1);
        }
        return {TokenType::Comment, {}};
    }

    const std::string_view word = rest_.substr(0, wordEnd(rest_));
    TokenType type;
    if (first == ':') {
        type = word.size() > 1 ? TokenType::Variable : TokenType::Literal;
    } else if (IsNumber(word)) {
        type = TokenType::Number;
    } else if (IsIdentifier(word)) {
        type = TokenType::Command;
    } else {
        type = TokenType::Literal;
    }
    if (consume) rest_.remove_prefix(word.size());
    return {type, word};
}

}  // namespace cartulo::drawscript
