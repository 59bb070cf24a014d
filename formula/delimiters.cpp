#include "formula/delimiters.h"

#include <array>
#include <cmath>
#include <optional>

#include "formula/numbers.h"
#include "platform/symbol_font.h"

namespace cartulo::formula {

namespace {

constexpr int kFirstByteCode = 32;
constexpr int kLastByteCode = 255;
// Codes naming a character of the Symbol font: that code plus this offset.
constexpr int kSymbolOffset = 256;
constexpr int kLastSymbolCode = kSymbolOffset + kLastByteCode;
constexpr char32_t kNoGlyph = 0xFFFD;
constexpr double kLastUnicode = 0x10FFFF;

constexpr std::array<std::string_view, 8> kNumberedDelimiters = {"(", ")", "[", "]",
                                                                 "{", "}", "|", ""};
constexpr int kIntegralDelimiter = 8;

std::string byteText(int code) {
    return std::string(1, static_cast<char>(static_cast<unsigned char>(code)));
}

// The Symbol code that shows `character`, if the font has it.
std::optional<int> symbolCodeOf(char32_t character) {
    if (character == kNoGlyph) return std::nullopt;
    for (int code = kFirstByteCode; code <= kLastByteCode; ++code) {
        if (SymbolToUnicode(static_cast<unsigned char>(code)) == character) return code;
    }
    return std::nullopt;
}

}  // namespace

Delimiter DelimiterFor(std::string_view written) {
    const auto number = WholeNumber(written);
    if (!number) return {std::string(written), false};
    const auto code = WholeCode(*number);
    if (!code) return {};
    if (*code >= 1 && *code < kIntegralDelimiter) {
        return {std::string(kNumberedDelimiters[static_cast<std::size_t>(*code - 1)]), false};
    }
    if (*code == kIntegralDelimiter) return {std::string(1, kIntegralCode), true};
    if (*code >= kFirstByteCode && *code <= kLastByteCode) return {byteText(*code), false};
    if (*code >= kSymbolOffset + kFirstByteCode && *code <= kLastSymbolCode) {
        return {byteText(*code - kSymbolOffset), true};
    }
    return {};
}

std::string SymbolText(std::string_view argument) {
    auto number = WholeNumber(argument);
    if (!number || *number < kFirstByteCode) return std::string(argument);
    // A number with a fraction stands for the character of its rounded code.
    number = std::nearbyint(*number);
    if (*number <= kLastByteCode) return byteText(static_cast<int>(*number));
    if (*number > kLastUnicode) return {};
    if (const auto symbol = symbolCodeOf(static_cast<char32_t>(*number))) return byteText(*symbol);
    return {};
}

}  // namespace cartulo::formula
