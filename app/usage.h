// What "cartulo --help" and "cartulo --version" print: the source of the
// program's manual page too, so the two cannot drift apart.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cartulo {

std::string_view UsageText();

// The text to print and end with when the arguments ask only for the help
// or the version ("--help", "--version"); nothing for an ordinary start.
std::optional<std::string> InformativeAnswer(int argc, const char* const* argv,
                                             std::string_view version);

}  // namespace cartulo
