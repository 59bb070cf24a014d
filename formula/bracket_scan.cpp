#include "formula/bracket_scan.h"

#include <string>

#include "formula/formula_error.h"

namespace cartulo::formula {

namespace {

// How much of the text a syntax error quotes.
constexpr std::size_t kQuotedLength = 20;

void requireAt(std::string_view text, std::size_t start, char expected) {
    if (start < text.size() && text[start] == expected) return;
    const std::string_view quoted = start < text.size() ? text.substr(start, kQuotedLength) : "";
    RaiseFormulaError(std::string(formula_errors::kSyntax) + std::string(quoted));
}

std::size_t findComma(std::string_view text, std::size_t start, char expected) {
    requireAt(text, start, expected);
    std::size_t depth = 0;
    for (std::size_t i = start + 1; i < text.size(); ++i) {
        switch (text[i]) {
            case '[':
                ++depth;
                break;
            case ']':
                if (depth == 0) RaiseFormulaError(formula_errors::kMissingComma);
                --depth;
                break;
            case ',':
                if (depth == 0) return i;
                break;
            default:
                break;
        }
    }
    RaiseFormulaError(formula_errors::kUnclosed);
}

}  // namespace

std::size_t FindClosingBracket(std::string_view text, std::size_t start) {
    requireAt(text, start, '[');
    std::size_t depth = 1;
    for (std::size_t i = start + 1; i < text.size(); ++i) {
        if (text[i] == '[') {
            ++depth;
        } else if (text[i] == ']' && --depth == 0) {
            return i;
        }
    }
    RaiseFormulaError(formula_errors::kUnclosed);
}

std::size_t FindFirstComma(std::string_view text, std::size_t start) {
    return findComma(text, start, '[');
}

std::size_t FindNextComma(std::string_view text, std::size_t start) {
    return findComma(text, start, ',');
}

ArgumentList CutArguments(std::string_view text, std::size_t count) {
    const std::size_t close = FindClosingBracket(text, kListStart);
    ArgumentList list;
    std::size_t from = kListStart;
    for (std::size_t n = 1; n < count; ++n) {
        const std::size_t comma = n == 1 ? FindFirstComma(text, from) : FindNextComma(text, from);
        list.arguments.push_back(text.substr(from + 1, comma - from - 1));
        from = comma;
    }
    list.arguments.push_back(text.substr(from + 1, close - from - 1));
    list.rest = text.substr(close + 1);
    return list;
}

}  // namespace cartulo::formula
