#include "support/settings_text.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "engine/win1252.h"

namespace cartulo::support {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        char32_t ch = 0;
        const std::size_t n = win1252::decodeUtf8(text, i, ch);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string_view lineEndText(LineEnd end) {
    switch (end) {
        case LineEnd::Lf:
            return "\n";
        case LineEnd::Cr:
            return "\r";
        case LineEnd::CrLf:
            break;
    }
    return "\r\n";
}

DecodedText decodeSettingsText(std::string_view bytes) {
    DecodedText out;
    if (bytes.starts_with(kByteOrderMark)) {
        bytes.remove_prefix(kByteOrderMark.size());
        out.hadByteOrderMark = true;
    }
    if (isValidUtf8(bytes)) {
        out.utf8.assign(bytes);
    } else {
        out.utf8 = win1252::toUtf8(bytes);
        out.wasWindows1252 = true;
    }
    return out;
}

SplitLines splitLines(std::string_view text) {
    SplitLines out;
    bool sawEnd = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') continue;
        LineEnd end = c == '\n' ? LineEnd::Lf : LineEnd::Cr;
        out.lines.push_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            end = LineEnd::CrLf;
            ++i;
        }
        if (!sawEnd) out.firstEnd = end;
        sawEnd = true;
        start = i + 1;
    }
    if (start < text.size()) out.lines.push_back(text.substr(start));
    return out;
}

std::string_view trimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string upperCase(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            out += win1252::toUpper(static_cast<char>(byte));
            ++i;
            continue;
        }
        char32_t ch = 0;
        const std::size_t n = win1252::decodeUtf8(utf8, i, ch);
        if (n == 0) {
            out += static_cast<char>(byte);
            ++i;
            continue;
        }
        const int cp = win1252::fromUnicode(ch);
        if (cp < 0) {
            out.append(utf8.substr(i, n));
        } else {
            const char upper = win1252::toUpper(static_cast<char>(cp));
            win1252::appendUtf8(out, win1252::toUnicode(static_cast<unsigned char>(upper)));
        }
        i += n;
    }
    return out;
}

double numericValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Only the characters a decimal number may use, so the conversion never
    // sees "inf" or "nan" forms; from_chars ignores the locale, which Qt sets.
    std::string number;
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (std::isdigit(static_cast<unsigned char>(c))) {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        number += c;
    }
    if (!digits) return 0.0;
    bool smallExponent = false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::string exponent(1, 'e');
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
        const std::size_t firstDigit = j;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
            exponent += text[j++];
        if (j > firstDigit) {
            number += exponent;
            smallExponent = exponent[1] == '-';
        }
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) value = smallExponent ? 0.0 : HUGE_VAL;
    return negative ? -value : value;
}

}  // namespace cartulo::support
