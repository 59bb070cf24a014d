#include "cli/card_file.h"
#include "cli/commands.h"
#include "cli/edit_rules.h"
#include "cli/exit_code.h"
#include "cli/text_argument.h"

namespace ctu {

void runAdd(const CommandLine& line, Streams& io) {
    const auto text = cardTextArgument(line, io.in);
    CardFile file(line.operands[0]);
    const std::string entry = storableEntry(line.operands[1]);
    if (text) checkStorableText(*text);

    // Without a text the card keeps the master card's, as NewCard gives it.
    const cartulo::CardId card = createdCard(file.cards().NewCard(entry), line.operands[1]);
    if (text && !file.cards().SetTxt(card, *text)) {
        throw Failure(ExitCode::Refused, "El texto no se puede guardar.");
    }
    file.save();
}

}  // namespace ctu
