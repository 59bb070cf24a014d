#include "cli/commands.h"

#include <array>

namespace ctu {

std::span<const Command> commands() {
    static constexpr std::array kCommands = {
        Command{"info", {1, optionSet(Option::Json)}, runInfo},
        Command{"list", {1, optionSet(Option::Json)}, runList},
        Command{"show", {2, optionSet(Option::Json)}, runShow},
        // With --global: QUERY FILE...; without: exactly FILE QUERY.
        Command{"search", {2, optionSet(Option::Json, Option::Global), true}, runSearch},
        Command{"links", {2, optionSet(Option::Json)}, runLinks},
        Command{"backlinks", {2, optionSet(Option::Json)}, runBacklinks},
        Command{"lint", {1, optionSet(Option::Json, Option::Orphans, Option::Strict)}, runLint},
        Command{"new", {1, optionSet(Option::Title)}, runNew},
        Command{"add", {2, optionSet(Option::Text, Option::TextFile)}, runAdd},
        Command{"alias", {3, optionSet()}, runAlias},
        Command{"rename", {3, optionSet()}, runRename},
        Command{"set", {2, optionSet(Option::Text, Option::TextFile)}, runSet},
        Command{"delete", {2, optionSet()}, runDelete},
        Command{"render", {2, optionSet(Option::Out, Option::Width)}, runRender},
        Command{"formula", {1, optionSet(Option::Out, Option::Check)}, runFormula},
        Command{"draw",
                {1, optionSet(Option::Out, Option::Check, Option::Width, Option::Height)},
                runDraw},
        Command{"send", {1, optionSet()}, runSend},
    };
    return kCommands;
}

}  // namespace ctu
