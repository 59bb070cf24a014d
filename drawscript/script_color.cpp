#include "drawscript/script_color.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "drawscript/script_number.h"
#include "drawscript/script_text.h"

namespace cartulo::drawscript {

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
constexpr int kNoColorValue = 16;
constexpr int kLineColorValue = 17;
constexpr int kDigitScale = 32;  // "rgb": each digit times this, at most 255

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A percentage times 2.55, rounded half to even, in whole numbers so that
// 50 gives exactly 128.
int scalePercentage(int percent) {
    const int hundredths = percent * 255;
    int whole = hundredths / 100;
    const int rest = hundredths % 100;
    if (rest > 50 || (rest == 50 && whole % 2 == 1)) ++whole;
    return whole;
}

std::optional<Color> parseNumeric(std::string_view text, Color current) {
    const auto digitAt = [&](std::size_t i) { return text[i] - '0'; };
    if (text.size() == 3) {
        if (!allDigits(text)) return std::nullopt;
        const auto component = [&](std::size_t i) {
            return std::min(digitAt(i) * kDigitScale, 255);
        };
        return Rgb(component(0), component(1), component(2));
    }
    if (text.size() == 6) {
        if (!allDigits(text)) return std::nullopt;
        const auto component = [&](std::size_t i) {
            return scalePercentage(digitAt(i) * 10 + digitAt(i + 1));
        };
        return Rgb(component(0), component(2), component(4));
    }
    if (text.size() > 2) return std::nullopt;
    const double value = ReadNumber(text);
    if (!(value >= 0 && value <= kLineColorValue)) return std::nullopt;
    const int index = static_cast<int>(std::nearbyint(value));  // halves to even
    if (index < static_cast<int>(kPalette.size())) return kPalette[static_cast<std::size_t>(index)];
    if (index == kNoColorValue) return std::nullopt;
    return current;
}

std::optional<Color> parseHex(std::string_view text) {
    int component[3];
    for (int i = 0; i < 3; ++i) {
        const int high = hexDigit(text[1 + 2 * i]), low = hexDigit(text[2 + 2 * i]);
        if (high < 0 || low < 0) return std::nullopt;
        component[i] = high * 16 + low;
    }
    return Rgb(component[0], component[1], component[2]);
}

}  // namespace

const std::array<Color, 16>& Palette() {
    return kPalette;
}

std::optional<Color> ParseColor(std::string_view text, Color currentLineColor) {
    if (IsNumber(text)) return parseNumeric(text, currentLineColor);
    if (text.size() == 7 && text[0] == '#') return parseHex(text);
    const std::string name = LowerCase(text);
    for (const auto& [known, index] : kNames) {
        if (name == known) return kPalette[static_cast<std::size_t>(index)];
    }
    if (name == "actual") return currentLineColor;
    if (name == "naranja") return kOrange;
    return std::nullopt;
}

std::string FormatColor(Color color) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text = "#";
    for (const int c : {RedOf(color), GreenOf(color), BlueOf(color)}) {
        text += kHex[(c >> 4) & 0xF];
        text += kHex[c & 0xF];
    }
    return text;
}

}  // namespace cartulo::drawscript
