#include "drawscript/script_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace cartulo::drawscript {

namespace {

// Exponent digits beyond this many say nothing more: the value has long
// left the range of a double either way.
constexpr int kMaxExponentDigits = 6;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The parts of the number at the start of `text`.
struct NumberSpan {
    std::size_t length = 0;        // 0: no number
    std::size_t signLength = 0;    // 1 when a sign leads
    int integerDigits = 0;         // significant digits before the point
    int fractionZeros = 0;         // zeros right after the point
    bool hasNonZeroDigit = false;  // any digit other than 0
    long long exponent = 0;        // clamped
};

NumberSpan scanNumber(std::string_view text) {
    NumberSpan n;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    n.signLength = i;
    std::size_t digits = 0;
    bool leading = true;
    while (i < text.size() && isDigit(text[i])) {
        if (text[i] != '0') leading = false, n.hasNonZeroDigit = true;
        if (!leading) ++n.integerDigits;
        ++i, ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        std::size_t j = i + 1;
        bool zeros = true;
        while (j < text.size() && isDigit(text[j])) {
            if (text[j] != '0') zeros = false, n.hasNonZeroDigit = true;
            if (zeros) ++n.fractionZeros;
            ++j, ++digits;
        }
        if (digits > 0) i = j;
    }
    if (digits == 0) return {};
    n.length = i;
    // An exponent counts only when digits follow it.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool negative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) negative = text[j++] == '-';
        const std::size_t firstDigit = j;
        long long exponent = 0;
        int significant = 0;
        while (j < text.size() && isDigit(text[j])) {
            if (exponent != 0 || text[j] != '0') ++significant;
            if (significant <= kMaxExponentDigits) exponent = exponent * 10 + (text[j] - '0');
            ++j;
        }
        if (j > firstDigit) {
            n.length = j;
            n.exponent = negative ? -exponent : exponent;
        }
    }
    return n;
}

}  // namespace

bool IsNumber(std::string_view text) {
    return !text.empty() && scanNumber(text).length == text.size();
}

double ReadNumber(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && isBlank(text[start])) ++start;
    text.remove_prefix(start);
    const NumberSpan n = scanNumber(text);
    if (n.length == 0) return 0;
    const bool negative = text[0] == '-';
    // from_chars takes no "+".
    const std::string_view digits = text.substr(n.signLength, n.length - n.signLength);
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Overflow or underflow, told apart by the decimal order of magnitude.
        const long long order =
            (n.integerDigits > 0 ? n.integerDigits - 1 : -(n.fractionZeros + 1)) + n.exponent;
        value = n.hasNonZeroDigit && order > 0 ? std::numeric_limits<double>::max() : 0;
    } else if (error != std::errc()) {
        value = 0;
    }
    return negative ? -value : value;
}

float ToSingle(double value) {
    constexpr double kLargest = std::numeric_limits<float>::max();
    if (std::isnan(value)) return 0;
    // Converting a double beyond the range of float is undefined.
    if (value > kLargest) return std::numeric_limits<float>::max();
    if (value < -kLargest) return -std::numeric_limits<float>::max();
    return static_cast<float>(value);
}

namespace {

template <typename T>
std::string format(T value) {
    if (std::isnan(value) || value == 0) return "0";
    if (std::isinf(value))
        value = value > 0 ? std::numeric_limits<T>::max() : -std::numeric_limits<T>::max();
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) return "0";
    return std::string(buffer, end);
}

}  // namespace

std::string FormatDouble(double value) {
    return format(value);
}

std::string FormatSingle(float value) {
    return format(value);
}

}  // namespace cartulo::drawscript
