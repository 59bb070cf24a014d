#include "richtext/color_notation.h"

#include <algorithm>
#include <utility>

#include "richtext/tag_params.h"

namespace cartulo::richtext {

namespace {

constexpr std::array<Color, 16> kPalette{
    Rgb(0, 0, 0),       Rgb(0, 0, 128),   Rgb(0, 128, 0),   Rgb(0, 128, 128),
    Rgb(128, 0, 0),     Rgb(128, 0, 128), Rgb(128, 128, 0), Rgb(192, 192, 192),
    Rgb(128, 128, 128), Rgb(0, 0, 255),   Rgb(0, 255, 0),   Rgb(0, 255, 255),
    Rgb(255, 0, 0),     Rgb(255, 0, 255), Rgb(255, 255, 0), Rgb(255, 255, 255),
};

constexpr std::array<std::pair<std::string_view, int>, 17> kNames{{
    {"negro", 0},
    {"azul_o", 1},
    {"verde_o", 2},
    {"cian_o", 3},
    {"rojo_o", 4},
    {"magenta_o", 5},
    {"amarillo_o", 6},
    {"gris", 7},
    {"gris_c", 7},
    {"gris_o", 8},
    {"azul", 9},
    {"verde", 10},
    {"cian", 11},
    {"rojo", 12},
    {"magenta", 13},
    {"amarillo", 14},
    {"blanco", 15},
}};

constexpr Color kOrange = Rgb(255, 128, 0);

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int digit(char c) {
    return c - '0';
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// pair * 2.55 rounded half to even, in whole numbers so that 50 gives 128.
int scalePair(int pair) {
    const int hundredths = pair * 255;
    int whole = hundredths / 100;
    const int rest = hundredths % 100;
    if (rest > 50 || (rest == 50 && whole % 2 == 1)) ++whole;
    return whole;
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
            return scalePair(digit(text[i]) * 10 + digit(text[i + 1]));
        };
        return Rgb(component(0), component(2), component(4));
    }
    if (text.size() > 2) return kInvalidColor;
    const double value = ParseNumber(text);
    if (value >= 0 && value <= 15) return kPalette[static_cast<std::size_t>(RoundHalfEven(value))];
    if (value == 16) return kColor3D;
    if (value == 17) return context.current;
    if (value == 18) return context.byDefault;
    return kInvalidColor;
}

Color parseHex(std::string_view text) {
    int components[3];
    for (int c = 0; c < 3; ++c) {
        const int high = hexDigit(text[1 + 2 * c]);
        const int low = hexDigit(text[2 + 2 * c]);
        if (high < 0 || low < 0) return kInvalidColor;
        components[c] = high * 16 + low;
    }
    return Rgb(components[0], components[1], components[2]);
}

}  // namespace

const std::array<Color, 16>& Palette() {
    return kPalette;
}

Color ParseColor(std::string_view text, const ColorContext& context) {
    text = TrimBlanks(text);
    if (IsNumeric(text)) return parseNumber(text, context);
    if (text.size() == 7 && text.starts_with('#')) return parseHex(text);
    for (const auto& [name, index] : kNames) {
        if (EqualsNoCase(text, name)) return kPalette[static_cast<std::size_t>(index)];
    }
    if (EqualsNoCase(text, "naranja")) return kOrange;
    if (EqualsNoCase(text, "actual")) return context.current;
    if (EqualsNoCase(text, "defecto")) return context.byDefault;
    if (EqualsNoCase(text, "3d")) return kColor3D;
    return kInvalidColor;
}

}  // namespace cartulo::richtext
