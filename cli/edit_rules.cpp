#include "cli/edit_rules.h"

#include "cli/card_text.h"
#include "cli/exit_code.h"

namespace ctu {
namespace {

[[noreturn]] void refuse(const std::string& message) {
    throw Failure(ExitCode::Refused, message);
}

[[noreturn]] void refuseEntryInUse(std::string_view entryUtf8) {
    if (entryUtf8.empty()) {
        refuse("La entrada vacía es la de la ficha principal; las demás fichas necesitan una.");
    }
    refuse("La entrada «" + std::string(entryUtf8) + "» ya está en uso.");
}

[[noreturn]] void refuseUnstorableEntry(std::string_view entryUtf8) {
    const auto entry = entryName(entryUtf8);
    const auto why = entry ? cartulo::cCartulo::CheckEntry(*entry) : std::nullopt;
    refuse("La entrada «" + std::string(entryUtf8) + "» no se puede guardar" +
           (why ? ": " + *why : std::string(".")));
}

}  // namespace

std::string storableEntry(std::string_view entryUtf8) {
    std::string entry = storable(entryUtf8, "La entrada «" + std::string(entryUtf8) + "»");
    if (cartulo::cCartulo::CheckEntry(entry)) refuseUnstorableEntry(entryUtf8);
    return entry;
}

void checkStorableText(std::string_view text, bool mainCard) {
    if (const auto why = cartulo::cCartulo::CheckText(text, mainCard)) {
        refuse("El texto no se puede guardar: " + *why);
    }
}

cartulo::CardId createdCard(cartulo::CardId result, std::string_view entryUtf8) {
    switch (result) {
        case cartulo::kEntryInUse:
            refuseEntryInUse(entryUtf8);
        case cartulo::kNoRoom:
            refuse("No caben más fichas en el fichero (el máximo es " +
                   std::to_string(cartulo::kCapacity) + ").");
        case cartulo::kUnstorableEntry:
            refuseUnstorableEntry(entryUtf8);
        case cartulo::kNoSourceCard:
            refuse("No se pudo crear la ficha «" + std::string(entryUtf8) +
                   "»: la ficha de origen ya no existe.");
        default:
            if (result < 0) refuse("No se pudo crear la ficha «" + std::string(entryUtf8) + "».");
            return result;
    }
}

void checkEntryChange(cartulo::EntryCheck check, std::string_view entryUtf8) {
    switch (check) {
        case cartulo::EntryCheck::Ok:
            return;
        case cartulo::EntryCheck::InUse:
            refuseEntryInUse(entryUtf8);
        case cartulo::EntryCheck::MainMustBeEmpty:
            refuse("La ficha principal no tiene entrada y no se puede renombrar.");
        case cartulo::EntryCheck::Unstorable:
            refuseUnstorableEntry(entryUtf8);
    }
    refuse("La entrada «" + std::string(entryUtf8) + "» no es válida.");
}

}  // namespace ctu
