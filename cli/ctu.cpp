#include "cli/ctu.h"

#include <algorithm>
#include <exception>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/display_text.h"
#include "cli/exit_code.h"
#include "cli/usage.h"

namespace ctu {
namespace {

const Command* findCommand(std::string_view name) {
    const auto all = commands();
    const auto it =
        std::find_if(all.begin(), all.end(), [&](const Command& c) { return c.name == name; });
    return it == all.end() ? nullptr : &*it;
}

// Messages quote arguments and system text as given; the helper keeps
// stderr UTF-8 whatever bytes those hold.
void printMessage(std::ostream& err, std::string_view who, std::string_view message) {
    err << who << ": " << displayText(message) << '\n';
}

// `who` is "ctu" or "ctu COMMAND".
int usageError(std::ostream& err, std::string_view who, std::string_view message) {
    printMessage(err, who, message);
    err << '\n' << usageText();
    return static_cast<int>(ExitCode::Usage);
}

}  // namespace

int runCtu(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err) {
    if (args.empty()) return usageError(err, "ctu", "Falta la orden.");
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << usageText();
        return static_cast<int>(ExitCode::Ok);
    }
    const Command* command = findCommand(args[0]);
    if (command == nullptr) return usageError(err, "ctu", "Orden desconocida «" + args[0] + "».");

    const std::string who = "ctu " + args[0];
    Streams io{in, out, err};
    try {
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        command->run(parseCommandLine(rest, command->syntax), io);
    } catch (const Failure& failure) {
        if (failure.code == ExitCode::Usage) return usageError(err, who, failure.what());
        printMessage(err, who, failure.what());
        return static_cast<int>(failure.code);
    } catch (const std::exception& e) {
        // Saving is the last step of every edit, so the file is as it was.
        printMessage(err, who, std::string("Error inesperado: ") + e.what());
        return static_cast<int>(ExitCode::FileError);
    }
    return static_cast<int>(ExitCode::Ok);
}

}  // namespace ctu
