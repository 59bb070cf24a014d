#include "formula/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace cartulo::formula {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a number at the start of `text`; `used` is how many bytes it took.
// Only decimal forms: from_chars alone would also take "inf" and "nan".
std::optional<double> readNumber(std::string_view text, std::size_t& used) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const bool digitFirst = i < text.size() && isDigit(text[i]);
    const bool pointFirst = i + 1 < text.size() && text[i] == '.' && isDigit(text[i + 1]);
    if (!digitFirst && !pointFirst) return std::nullopt;
    double value = 0;
    const char* begin = text.data() + i;
    const auto [end, error] =
        std::from_chars(begin, text.data() + text.size(), value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        value = std::numeric_limits<double>::infinity();
    } else if (error != std::errc()) {
        return std::nullopt;
    }
    used = static_cast<std::size_t>(end - text.data());
    return negative ? -value : value;
}

}  // namespace

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    std::size_t used = 0;
    return readNumber(text.substr(i), used).value_or(0);
}

std::optional<double> WholeNumber(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    std::size_t used = 0;
    const auto value = readNumber(text, used);
    if (!value || used != text.size() || !std::isfinite(*value)) return std::nullopt;
    return value;
}

std::optional<std::int16_t> ToInt16(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

std::optional<int> WholeCode(double value) {
    if (!std::isfinite(value) || value != std::floor(value)) return std::nullopt;
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

}  // namespace cartulo::formula
