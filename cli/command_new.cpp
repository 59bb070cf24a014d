#include <filesystem>
#include <system_error>

#include "cli/card_file.h"
#include "cli/card_text.h"
#include "cli/commands.h"
#include "cli/display_text.h"
#include "cli/edit_rules.h"
#include "cli/exit_code.h"
#include "engine/cartulo.h"

namespace ctu {

void runNew(const CommandLine& line, Streams&) {
    const std::string& path = line.operands[0];
    std::error_code ec;
    // symlink_status: a dangling link still names something we would replace.
    if (std::filesystem::exists(std::filesystem::symlink_status(path, ec))) {
        throw Failure(ExitCode::Refused,
                      "«" + displayText(path) + "» ya existe; no se sobrescribe.");
    }
    const std::string title = withCrLf(storable(line.title.value_or(""), "El título"));
    checkStorableText(title, true);  // the title is the main card's text

    cartulo::cCartulo cards;
    cards.NewFile(title);
    cards.SetChanged();  // SaveFile writes nothing for an unchanged store
    if (!cards.SaveFile(path)) {
        throw Failure(ExitCode::FileError,
                      "No se puede guardar " + describeFileError(path, cards.LastError()));
    }
}

}  // namespace ctu
