#include "richtext/color_notation.h"

#include <algorithm>
#include <utility>

#include "platform/color_palette.h"
#include "richtext/tag_params.h"

namespace cartulo::richtext {

namespace {

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int digit(char c) {
    return c - '0';
}

Color parseNumber(std::string_view text, const ColorContext& context) {
    if (text.size() == 3) {
        if (!allDigits(text)) return kInvalidColor;
        auto component = [&](std::size_t i) { return std::min(digit(text[i]) * 32, 255); };
        return Rgb(component(0), component(1), component(2));
    }
    if (text.size() == 6) {
        if (!allDigits(text)) return kInvalidColor;
        auto component = [&](std::size_t i) {
            return PercentToComponent(digit(text[i]) * 10 + digit(text[i + 1]));
        };
        return Rgb(component(0), component(2), component(4));
    }
    if (text.size() > 2) return kInvalidColor;
    const double value = ParseNumber(text);
    if (value >= 0 && value <= 15)
        return PaletteColors()[static_cast<std::size_t>(RoundHalfEven(value))];
    if (value == 16) return kColor3D;
    if (value == 17) return context.current;
    if (value == 18) return context.byDefault;
    return kInvalidColor;
}

Color parseHex(std::string_view text) {
    int components[3];
    for (int c = 0; c < 3; ++c) {
        const int high = HexDigitValue(text[1 + 2 * c]);
        const int low = HexDigitValue(text[2 + 2 * c]);
        if (high < 0 || low < 0) return kInvalidColor;
        components[c] = high * 16 + low;
    }
    return Rgb(components[0], components[1], components[2]);
}

}  // namespace

const std::array<Color, 16>& Palette() {
    return PaletteColors();
}

Color ParseColor(std::string_view text, const ColorContext& context) {
    text = TrimBlanks(text);
    if (IsNumeric(text)) return parseNumber(text, context);
    if (text.size() == 7 && text.starts_with('#')) return parseHex(text);
    if (auto named = NamedColor(text)) return *named;
    if (EqualsNoCase(text, "actual")) return context.current;
    if (EqualsNoCase(text, "defecto")) return context.byDefault;
    if (EqualsNoCase(text, "3d")) return kColor3D;
    return kInvalidColor;
}

}  // namespace cartulo::richtext
