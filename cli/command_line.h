// What the user typed after the command name, checked against what the
// command accepts.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ctu {

enum class Option : unsigned {
    Json = 1u << 0,
    Title = 1u << 1,
    Text = 1u << 2,
    TextFile = 1u << 3,
    Out = 1u << 4,
    Width = 1u << 5,
    Check = 1u << 6,
    Height = 1u << 7,
    Global = 1u << 8,
    Orphans = 1u << 9,
    Strict = 1u << 10,
};

struct CommandLine {
    std::vector<std::string> operands;
    bool json = false;
    bool check = false;
    bool global = false;
    bool orphans = false;
    bool strict = false;
    std::optional<std::string> title;
    std::optional<std::string> text;
    std::optional<std::string> textFile;
    std::optional<std::string> out;
    std::optional<std::string> width;   // as typed; the command checks it
    std::optional<std::string> height;  // as typed; the command checks it
};

// The shape of one command's arguments.
struct Syntax {
    std::size_t operands = 0;   // exactly this many
    unsigned options = 0;       // a set of Option bits
    bool moreOperands = false;  // with this, at least `operands`
};

template <typename... Options>
constexpr unsigned optionSet(Options... options) {
    return (0u | ... | static_cast<unsigned>(options));
}

// Throws Failure(ExitCode::Usage) when the arguments do not fit the syntax.
// Options are long ("--json"); an argument with a single leading "-" is an
// operand. "--" ends the options, so an operand may also begin with "--".
CommandLine parseCommandLine(const std::vector<std::string>& args, const Syntax& syntax);

}  // namespace ctu
