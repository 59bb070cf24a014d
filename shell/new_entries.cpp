#include "shell/new_entries.h"

namespace cartulo::shell {

namespace {

constexpr std::string_view kNuevaFicha = "Nueva ficha";
constexpr std::string_view kHermanaDe = "Hermana de ";

// Another card has it, or it is the main card's reserved name.
bool taken(const cCartulo& file, std::string_view entry) {
    return file.ValidateNtry(kNoCard, entry) == EntryCheck::InUse;
}

std::string suffix(int n) {
    return " (" + std::to_string(n) + ")";
}

// `base` cut so that base + `tail` fits in an entry.
std::string fitted(std::string_view base, std::string_view tail) {
    const std::size_t room = kMaxEntryLength - tail.size();
    return std::string(base.substr(0, room)) + std::string(tail);
}

}  // namespace

std::string EntradaNuevaFicha(const cCartulo& file, std::string_view hint) {
    std::string candidate(hint.empty() || hint.size() > kMaxEntryLength ? kNuevaFicha : hint);
    for (int n = 2; taken(file, candidate); ++n) candidate = std::string(kNuevaFicha) + suffix(n);
    return candidate;
}

std::string EntradaNuevaHermana(const cCartulo& file, std::string_view sourceEntry) {
    const std::string base = std::string(kHermanaDe) + std::string(sourceEntry);
    std::string candidate = fitted(base, "");
    for (int n = 2; taken(file, candidate); ++n) candidate = fitted(base, suffix(n));
    return candidate;
}

}  // namespace cartulo::shell
