#include "cli/command_line.h"

#include <array>

#include "cli/exit_code.h"

namespace ctu {
namespace {

struct OptionName {
    Option option;
    std::string_view name;
    bool takesValue;
};

constexpr std::array kOptions = {
    OptionName{Option::Json, "--json", false},
    OptionName{Option::Title, "--title", true},
    OptionName{Option::Text, "--text", true},
    OptionName{Option::TextFile, "--text-file", true},
    OptionName{Option::Out, "--out", true},
    OptionName{Option::Width, "--width", true},
    OptionName{Option::Check, "--check", false},
    OptionName{Option::Height, "--height", true},
    OptionName{Option::Global, "--global", false},
    OptionName{Option::Orphans, "--orphans", false},
    OptionName{Option::Strict, "--strict", false},
};

[[noreturn]] void usageError(const std::string& message) {
    throw Failure(ExitCode::Usage, message);
}

std::optional<std::string>* valueSlot(CommandLine& line, Option option) {
    switch (option) {
        case Option::Title:
            return &line.title;
        case Option::Text:
            return &line.text;
        case Option::TextFile:
            return &line.textFile;
        case Option::Out:
            return &line.out;
        case Option::Width:
            return &line.width;
        case Option::Height:
            return &line.height;
        case Option::Json:
        case Option::Check:
        case Option::Global:
        case Option::Orphans:
        case Option::Strict:
            break;
    }
    return nullptr;
}

// Applies one option; `next` is the argument after it, if any. Returns
// whether `next` was taken as the option's value.
bool applyOption(CommandLine& line, const Syntax& syntax, std::string_view arg,
                 const std::string* next) {
    std::optional<std::string> inlineValue;
    if (const auto eq = arg.find('='); eq != std::string_view::npos) {
        inlineValue = std::string(arg.substr(eq + 1));
        arg = arg.substr(0, eq);
    }
    for (const auto& known : kOptions) {
        if (known.name != arg) continue;
        const std::string name(known.name);
        if ((syntax.options & static_cast<unsigned>(known.option)) == 0) {
            usageError("Esta orden no admite la opción " + name + ".");
        }
        if (!known.takesValue) {
            if (inlineValue) usageError("La opción " + name + " no lleva valor.");
            (known.option == Option::Check     ? line.check
             : known.option == Option::Global  ? line.global
             : known.option == Option::Orphans ? line.orphans
             : known.option == Option::Strict  ? line.strict
                                               : line.json) = true;
            return false;
        }
        auto* slot = valueSlot(line, known.option);
        if (slot->has_value()) usageError("La opción " + name + " aparece más de una vez.");
        if (inlineValue) {
            *slot = std::move(*inlineValue);
            return false;
        }
        if (next == nullptr) usageError("Falta el valor de la opción " + name + ".");
        *slot = *next;
        return true;
    }
    usageError("Opción desconocida: " + std::string(arg) + ".");
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args, const Syntax& syntax) {
    CommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // Every option is long: "-perro" is a query, "-5 grados" an entry.
        if (optionsEnded || !arg.starts_with("--")) {
            line.operands.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else {
            const std::string* next = i + 1 < args.size() ? &args[i + 1] : nullptr;
            if (applyOption(line, syntax, arg, next)) ++i;
        }
    }
    if (line.operands.size() < syntax.operands) usageError("Faltan argumentos.");
    if (line.operands.size() > syntax.operands && !syntax.moreOperands) {
        usageError("Sobran argumentos.");
    }
    if (line.text && line.textFile) usageError("Use --text o --text-file, no las dos.");
    return line;
}

}  // namespace ctu
