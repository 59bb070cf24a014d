#include "cli/card_file.h"
#include "cli/commands.h"
#include "cli/edit_rules.h"
#include "cli/exit_code.h"
#include "cli/text_argument.h"

namespace ctu {

void runSet(const CommandLine& line, Streams& io) {
    if (!line.text && !line.textFile) {
        throw Failure(ExitCode::Usage, "set necesita --text o --text-file.");
    }
    const auto text = cardTextArgument(line, io.in);
    CardFile file(line.operands[0]);
    const cartulo::CardId card = file.find(line.operands[1]);
    checkStorableText(*text, card == file.cards().GetMain());
    if (!file.cards().SetTxt(card, *text)) {
        throw Failure(ExitCode::Refused, "El texto no se puede guardar.");
    }
    file.save();
}

}  // namespace ctu
