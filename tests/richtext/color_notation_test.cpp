#include "richtext/color_notation.h"

#include <gtest/gtest.h>

#include <string>

namespace cartulo::richtext {
namespace {

constexpr Color kCurrent = Rgb(1, 2, 3);
constexpr Color kDefault = Rgb(4, 5, 6);

struct ColorCase {
    std::string text;
    Color color;
};

TEST(ParseColor, Notations) {
    // Three digits: each times 32, at most 255. Six digits: pairs times
    // 2.55, halves to even (76.5 -> 76, 178.5 -> 178, 25.5 -> 26). One or two
    // characters: the palette (.5 rounds to 0), then 16, 17, 18. Other
    // lengths of numbers; hexadecimal; names without letter case, blanks
    // trimmed.
    // clang-format off
    const ColorCase cases[] = {
        {"900", Rgb(255, 0, 0)}, {"000", Rgb(0, 0, 0)}, {"123", Rgb(32, 64, 96)},
        {"789", Rgb(224, 255, 255)}, {"500000", Rgb(128, 0, 0)}, {"990000", Rgb(252, 0, 0)},
        {"010203", Rgb(3, 5, 8)}, {"300000", Rgb(76, 0, 0)}, {"700000", Rgb(178, 0, 0)},
        {"100000", Rgb(26, 0, 0)}, {"0", Rgb(0, 0, 0)}, {"12", Rgb(255, 0, 0)},
        {"15", Rgb(255, 255, 255)}, {"8", Rgb(128, 128, 128)}, {"7", Rgb(192, 192, 192)},
        {".5", Rgb(0, 0, 0)}, {"1.", Rgb(0, 0, 128)}, {"16", kColor3D}, {"17", kCurrent},
        {"18", kDefault}, {"19", kInvalidColor}, {"-1", kInvalidColor}, {"99", kInvalidColor},
        {"1234", kInvalidColor}, {"12345", kInvalidColor}, {"1234567", kInvalidColor},
        {"1.5", kInvalidColor}, {"12.500", kInvalidColor}, {"#FF8000", Rgb(255, 128, 0)},
        {"#ff8000", Rgb(255, 128, 0)}, {"#000000", Rgb(0, 0, 0)}, {"#GG0000", kInvalidColor},
        {"#FF800", kInvalidColor}, {"#FF80000", kInvalidColor}, {"negro", Rgb(0, 0, 0)},
        {"azul_o", Rgb(0, 0, 128)}, {"verde_o", Rgb(0, 128, 0)}, {"cian_o", Rgb(0, 128, 128)},
        {"rojo_o", Rgb(128, 0, 0)}, {"magenta_o", Rgb(128, 0, 128)},
        {"amarillo_o", Rgb(128, 128, 0)}, {"gris", Rgb(192, 192, 192)},
        {"GRIS", Rgb(192, 192, 192)}, {"gris_c", Rgb(192, 192, 192)},
        {"gris_o", Rgb(128, 128, 128)}, {"azul", Rgb(0, 0, 255)}, {"verde", Rgb(0, 255, 0)},
        {"cian", Rgb(0, 255, 255)}, {"rojo", Rgb(255, 0, 0)}, {" Rojo ", Rgb(255, 0, 0)},
        {"magenta", Rgb(255, 0, 255)}, {"amarillo", Rgb(255, 255, 0)},
        {"blanco", Rgb(255, 255, 255)}, {"naranja", 33023}, {"actual", kCurrent},
        {"DEFECTO", kDefault}, {"3d", kColor3D}, {"3D", kColor3D}, {"", kInvalidColor},
        {"rosa", kInvalidColor}, {"rojo_c", kInvalidColor},
    };
    // clang-format on
    for (const ColorCase& c : cases) {
        SCOPED_TRACE("\"" + c.text + "\"");
        EXPECT_EQ(ParseColor(c.text, {kCurrent, kDefault}), c.color);
    }
}

TEST(ParseColor, EveryLengthOfDigitsAndLetters) {
    for (std::size_t n = 0; n < 300; ++n) {
        for (char fill : {'9', 'a', '#', ' ', '.', '-'}) {
            const Color c = ParseColor(std::string(n, fill), {kCurrent, kDefault});
            EXPECT_TRUE(c == kInvalidColor || c == kColor3D || (c >= 0 && c <= 0xFFFFFF))
                << n << " x " << fill;
        }
    }
}

}  // namespace
}  // namespace cartulo::richtext
