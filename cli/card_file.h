// A card file opened for one command, with the failures of opening,
// finding a card and saving turned into ctu's exit codes and messages.
#pragma once

#include <string>
#include <string_view>

#include "engine/cartulo.h"

namespace ctu {

class CardFile {
  public:
    // Throws Failure(ExitCode::FileError) when the file cannot be read.
    explicit CardFile(std::string path);

    cartulo::cCartulo& cards() { return cards_; }
    const cartulo::cCartulo& cards() const { return cards_; }
    const std::string& path() const { return path_; }

    // The card an ENTRY argument (UTF-8) names; "" and " <Ficha principal>"
    // name the main card. Throws Failure(ExitCode::NotFound).
    cartulo::CardId find(std::string_view entryUtf8) const;

    // Writes the changes, if any. Throws Failure(ExitCode::FileError).
    void save();

    // The card's entry in UTF-8 as lists show it: the main card is
    // " <Ficha principal>".
    std::string displayEntry(cartulo::CardId card) const;
    // The card's entry in UTF-8 as stored: the main card's is "".
    std::string entry(cartulo::CardId card) const;

  private:
    std::string path_;
    cartulo::cCartulo cards_;
};

// "«F»: <description> (código N)" for the engine's last error.
std::string describeFileError(const std::string& path, const cartulo::FileError& error);

}  // namespace ctu
