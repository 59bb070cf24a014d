// "Ejecutar comando...": how a typed line becomes a command word and its
// argument.
#pragma once

#include <QString>
#include <optional>

namespace cartulo::shell {

struct TypedCommand {
    QString word;
    std::optional<QString> argument;
};

// Nothing for an empty answer. With a blank, the word is the trimmed text
// before the first blank and the argument the trimmed text after it;
// without one, the whole answer is the word and there is no argument.
std::optional<TypedCommand> ParseTypedCommand(const QString& answer);

}  // namespace cartulo::shell
