#include "richtext/tag_params.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace cartulo::richtext {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The length of the number at the start of `text` (after any blanks the
// caller has removed), or 0 when none begins there.
std::size_t numberLength(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        const std::size_t expStart = j;
        while (j < text.size() && isDigit(text[j])) ++j;
        if (j > expStart) i = j;
    }
    return i;
}

}  // namespace

std::string_view GetParam(std::string_view value, int n) {
    if (n < 1) return {};
    std::size_t start = 0;
    for (int k = 1; k < n; ++k) {
        const std::size_t comma = value.find(',', start);
        if (comma == std::string_view::npos) return {};
        start = comma + 1;
    }
    const std::size_t end = value.find(',', start);
    return value.substr(start,
                        end == std::string_view::npos ? std::string_view::npos : end - start);
}

std::string_view GetParamRest(std::string_view value, int n) {
    if (n < 1) n = 1;
    std::size_t start = 0;
    for (int k = 1; k < n; ++k) {
        const std::size_t comma = value.find(',', start);
        if (comma == std::string_view::npos) return {};
        start = comma + 1;
    }
    return value.substr(start);
}

double ParseNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    const std::size_t length = numberLength(text.substr(i));
    if (length == 0) return 0;
    // strtod needs a terminated copy; the number is short once its digits
    // are, and a 99999-digit "number" is still read in one pass.
    const std::string digits(text.substr(i, length));
    const double value = std::strtod(digits.c_str(), nullptr);
    return std::isfinite(value) ? value : 0;
}

bool IsNumeric(std::string_view text) {
    text = TrimBlanks(text);
    return !text.empty() && numberLength(text) == text.size();
}

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiUpper(a[i]) != asciiUpper(b[i])) return false;
    }
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

double RoundHalfEven(double value) {
    // nearbyint follows the current rounding mode, which is to-nearest-even
    // unless someone changed it; rounding by hand keeps it independent.
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1;
    return std::fmod(floor, 2) == 0 ? floor : floor + 1;
}

}  // namespace cartulo::richtext
