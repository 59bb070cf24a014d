// Letter case of script words, variable names and colour names.
#pragma once

#include <string>
#include <string_view>

namespace cartulo::drawscript {

// Lower case by Windows-1252 rules: ASCII letters and the accented capitals
// (Á, Ñ, Š, Ÿ, ...); every other byte stays.
std::string LowerCase(std::string_view text);

}  // namespace cartulo::drawscript
