// The colour operand: numeric forms, #RRGGBB, names, and the texts that
// are invalid.
#include <gtest/gtest.h>

#include <optional>

#include "drawscript/script_color.h"

namespace cartulo::drawscript {
namespace {

constexpr Color kCurrent = Rgb(1, 2, 3);

TEST(ScriptColor, Forms) {
    const struct {
        const char* text;
        std::optional<Color> color;
    } cases[] = {
        // three digits: each * 32, at most 255
        {"707", Rgb(224, 0, 224)},
        {"999", Rgb(255, 255, 255)},
        {"000", Rgb(0, 0, 0)},
        // six digits: percentages * 2.55, half to even
        {"995000", Rgb(252, 128, 0)},
        {"010203", Rgb(3, 5, 8)},
        // one or two characters: the palette, 16 nothing, 17 the line colour
        {"0", Rgb(0, 0, 0)},
        {"1", Rgb(0, 0, 128)},
        {"07", Rgb(192, 192, 192)},
        {"12", Rgb(255, 0, 0)},
        {"15", Rgb(255, 255, 255)},
        {".5", Rgb(0, 0, 0)},  // half to even
        {"9.", Rgb(0, 0, 255)},
        {"16", std::nullopt},
        {"17", kCurrent},
        {"18", std::nullopt},
        {"-1", std::nullopt},
        {"99", std::nullopt},
        // numbers the per-character rules do not cover
        {"1.5", std::nullopt},
        {"-12", std::nullopt},
        {"1e2", std::nullopt},
        {"1.5e2", std::nullopt},
        {"12345", std::nullopt},
        {"1234567", std::nullopt},
        // hexadecimal
        {"#ff8000", Rgb(255, 128, 0)},
        {"#FF0000", Rgb(255, 0, 0)},
        {"#ff80", std::nullopt},
        {"#gg0000", std::nullopt},
        {"#ff80000", std::nullopt},
        // names, any letter case, no trimming
        {"rojo", Rgb(255, 0, 0)},
        {"ROJO", Rgb(255, 0, 0)},
        {"azul_o", Rgb(0, 0, 128)},
        {"gris", Rgb(192, 192, 192)},
        {"gris_c", Rgb(192, 192, 192)},
        {"gris_o", Rgb(128, 128, 128)},
        {"naranja", Rgb(255, 128, 0)},
        {"actual", kCurrent},
        {" rojo", std::nullopt},
        {"defecto", std::nullopt},
        {"3d", std::nullopt},
        {"", std::nullopt},
        {"red", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseColor(c.text, kCurrent), c.color) << c.text;
}

TEST(ScriptColor, PaletteNamesAndNumbersAgree) {
    const char* names[] = {"negro",      "azul_o",  "verde_o",  "cian_o", "rojo_o", "magenta_o",
                           "amarillo_o", "gris",    "gris_o",   "azul",   "verde",  "cian",
                           "rojo",       "magenta", "amarillo", "blanco"};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(ParseColor(names[i], 0), Palette()[static_cast<std::size_t>(i)]) << names[i];
        EXPECT_EQ(ParseColor(std::to_string(i), 0), Palette()[static_cast<std::size_t>(i)]) << i;
    }
}

TEST(ScriptColor, Output) {
    EXPECT_EQ(FormatColor(Rgb(255, 0, 0)), "#FF0000");
    EXPECT_EQ(FormatColor(Rgb(0x12, 0xAB, 0x0C)), "#12AB0C");
}

}  // namespace
}  // namespace cartulo::drawscript
