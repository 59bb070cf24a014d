#include "shell/typed_command.h"

namespace cartulo::shell {

std::optional<TypedCommand> ParseTypedCommand(const QString& answer) {
    if (answer.isEmpty()) return std::nullopt;
    const qsizetype blank = answer.indexOf(u' ');
    if (blank < 0) return TypedCommand{answer, std::nullopt};
    return TypedCommand{answer.left(blank).trimmed(), answer.mid(blank + 1).trimmed()};
}

}  // namespace cartulo::shell
