#include "cli/card_file.h"

#include <utility>

#include "cli/card_text.h"
#include "cli/display_text.h"
#include "cli/exit_code.h"

namespace ctu {

std::string describeFileError(const std::string& path, const cartulo::FileError& error) {
    // The description may quote a folder of the path.
    return "«" + displayText(path) + "»: " + displayText(error.description) + " (código " +
           std::to_string(error.code) + ")";
}

CardFile::CardFile(std::string path) : path_(std::move(path)) {
    if (!cards_.OpenFile(path_)) {
        throw Failure(ExitCode::FileError,
                      "No se puede abrir " + describeFileError(path_, cards_.LastError()));
    }
}

cartulo::CardId CardFile::find(std::string_view entryUtf8) const {
    const auto name = entryName(entryUtf8);
    const cartulo::CardId card = name ? cards_.SrchNtry(*name) : cartulo::kNoCard;
    if (card == cartulo::kNoCard) {
        throw Failure(ExitCode::NotFound,
                      "No se encontró la ficha «" + std::string(entryUtf8) + "».");
    }
    return card;
}

void CardFile::save() {
    if (!cards_.SaveFile("")) {
        throw Failure(ExitCode::FileError,
                      "No se puede guardar " + describeFileError(path_, cards_.LastError()));
    }
}

std::string CardFile::displayEntry(cartulo::CardId card) const {
    if (card == cards_.GetMain()) return std::string(cartulo::kMainCardName);
    return toUtf8(cards_.GetNtry(card));
}

std::string CardFile::entry(cartulo::CardId card) const {
    return toUtf8(cards_.GetNtry(card));
}

}  // namespace ctu
