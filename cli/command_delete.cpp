#include "cli/card_file.h"
#include "cli/commands.h"
#include "cli/exit_code.h"

namespace ctu {

void runDelete(const CommandLine& line, Streams&) {
    CardFile file(line.operands[0]);
    auto& cards = file.cards();
    const cartulo::CardId card = file.find(line.operands[1]);
    if (card == cards.GetMain()) {
        throw Failure(ExitCode::Refused, "La ficha principal no se puede borrar.");
    }
    if (cards.DelCard(card) != 0) {
        throw Failure(ExitCode::Refused, "No se pudo borrar la ficha «" + line.operands[1] + "».");
    }
    file.save();
}

}  // namespace ctu
