#include "cli/card_engine.h"

#include <array>
#include <string_view>
#include <utility>

namespace ctu {
namespace {

// Compared with letter case: {@:LA} is an ordinary expression.
constexpr std::array<std::pair<std::string_view, std::string_view>, 4> kEscapes = {{
    {":la", "{"},
    {":lc", "}"},
    {":ca", "\xAB"},  // « in Windows-1252, the engine's code page
    {":cc", "\xBB"},  // »
}};

}  // namespace

void setUpCardEngine(cartulo::cZuzodIvodure& engine) {
    engine.DefaultFont = "Arial";
    engine.DefaultSize = 12;
    engine.Evaluate = [](std::string& value) {
        for (const auto& [name, answer] : kEscapes) {
            if (value == name) {
                value = answer;
                return;
            }
        }
    };
}

}  // namespace ctu
