#include "shell/argument_number.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

namespace cartulo::shell {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && isDigit(text[at])) ++at;
    return at;
}

}  // namespace

std::optional<int> ArgumentNumber(std::string_view text, int low, int high) {
    std::size_t start = 0;
    while (start < text.size() && isBlank(text[start])) ++start;
    if (start == text.size()) return (low <= 0 && 0 <= high) ? std::optional<int>(0) : std::nullopt;

    // The number's extent is found by hand: from_chars alone would also
    // take "nan", "inf" and hexadecimal forms.
    std::size_t at = start;
    if (text[at] == '+' || text[at] == '-') ++at;
    const std::size_t intDigits = skipDigits(text, at);
    std::size_t end = intDigits;
    bool digits = intDigits > at;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fraction = skipDigits(text, end + 1);
        digits = digits || fraction > end + 1;
        end = fraction;
    }
    if (!digits) return std::nullopt;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        if (const std::size_t last = skipDigits(text, exponent); last > exponent) end = last;
    }

    // from_chars takes no leading "+".
    const std::size_t from = text[start] == '+' ? start + 1 : start;
    double value = 0.0;
    const auto [ptr, error] = std::from_chars(text.data() + from, text.data() + end, value);
    if (error == std::errc::result_out_of_range) return std::nullopt;
    if (error != std::errc() || ptr != text.data() + end) return std::nullopt;
    value = std::trunc(value);
    // Compared as doubles, before any conversion.
    if (!(value >= static_cast<double>(low) && value <= static_cast<double>(high))) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

}  // namespace cartulo::shell
