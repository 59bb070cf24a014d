#include "platform/color_palette.h"

#include <utility>

namespace cartulo {

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

// Colour names are plain ASCII, so ASCII case folding is enough.
bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

}  // namespace

const std::array<Color, 16>& PaletteColors() {
    return kPalette;
}

std::optional<Color> NamedColor(std::string_view name) {
    for (const auto& [known, index] : kNames) {
        if (equalsNoCase(name, known)) return kPalette[static_cast<std::size_t>(index)];
    }
    if (equalsNoCase(name, "naranja")) return kOrange;
    return std::nullopt;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

int PercentToComponent(int percent) {
    const int hundredths = percent * 255;
    int whole = hundredths / 100;
    const int rest = hundredths % 100;
    if (rest > 50 || (rest == 50 && whole % 2 == 1)) ++whole;
    return whole;
}

}  // namespace cartulo
