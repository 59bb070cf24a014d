#include "drawscript/script_color.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "drawscript/script_number.h"
#include "drawscript/script_text.h"
#include "platform/color_palette.h"

namespace cartulo::drawscript {

namespace {

constexpr int kNoColorValue = 16;
constexpr int kLineColorValue = 17;
constexpr int kDigitScale = 32;  // "rgb": each digit times this, at most 255

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
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
            return PercentToComponent(digitAt(i) * 10 + digitAt(i + 1));
        };
        return Rgb(component(0), component(2), component(4));
    }
    if (text.size() > 2) return std::nullopt;
    const double value = ReadNumber(text);
    if (!(value >= 0 && value <= kLineColorValue)) return std::nullopt;
    const int index = static_cast<int>(std::nearbyint(value));  // halves to even
    if (index < static_cast<int>(PaletteColors().size()))
        return PaletteColors()[static_cast<std::size_t>(index)];
    if (index == kNoColorValue) return std::nullopt;
    return current;
}

std::optional<Color> parseHex(std::string_view text) {
    int component[3];
    for (int i = 0; i < 3; ++i) {
        const int high = HexDigitValue(text[1 + 2 * i]), low = HexDigitValue(text[2 + 2 * i]);
        if (high < 0 || low < 0) return std::nullopt;
        component[i] = high * 16 + low;
    }
    return Rgb(component[0], component[1], component[2]);
}

}  // namespace

const std::array<Color, 16>& Palette() {
    return PaletteColors();
}

std::optional<Color> ParseColor(std::string_view text, Color currentLineColor) {
    if (IsNumber(text)) return parseNumeric(text, currentLineColor);
    if (text.size() == 7 && text[0] == '#') return parseHex(text);
    const std::string name = LowerCase(text);
    if (auto named = NamedColor(name)) return named;
    if (name == "actual") return currentLineColor;
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
