// What the card-file format can hold. Checked where content comes in, so a
// user is told at once, and again by the writer before it writes anything.
#include "engine/cartulo.h"

namespace cartulo {

std::optional<std::string> cCartulo::CheckEntry(std::string_view entry) {
    if (entry.size() > kMaxEntryLength) {
        return "La entrada tiene " + std::to_string(entry.size()) +
               " caracteres; un cartulo admite como máximo " + std::to_string(kMaxEntryLength) +
               ".";
    }
    return std::nullopt;
}

std::optional<std::string> cCartulo::CheckText(std::string_view text, bool mainCard) {
    if (text.size() > kMaxTextLength) {
        return "El texto tiene " + std::to_string(text.size()) +
               " caracteres; una ficha admite como máximo " + std::to_string(kMaxTextLength) + ".";
    }
    // Only the main card's record, always read as text, may begin with "@@".
    if (!mainCard && text.starts_with("@@")) {
        return "El texto de una ficha no puede empezar por «@@».";
    }
    return std::nullopt;
}

}  // namespace cartulo
