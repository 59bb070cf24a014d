// Pictures of an open card file, to be encoded and written on another thread
// while the file goes on changing. A picture shares each text with the one
// taken before unless the text changed since, so after a few keystrokes a
// picture costs little more than a list of the cards; only the first, and
// the first after Forget, copies every text.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/cartulo.h"

namespace cartulo {

class FileSnapshot {
  public:
    // The bytes SaveFile would have written when the picture was taken.
    std::optional<FileError> Encode(std::string& out) const;

  private:
    friend class FileSnapshots;
    struct Card {
        std::string entry;
        CardId holder = kNoCard;  // the card whose text it shows: sisters share one
        bool main = false;
    };
    std::shared_ptr<const std::vector<Card>> cards_;         // in the order they are written
    std::vector<std::shared_ptr<const std::string>> texts_;  // by holder
};

// Follows one file through its events; take pictures on the file's thread.
class FileSnapshots : private CartuloListener {
  public:
    explicit FileSnapshots(cCartulo& file);
    FileSnapshots(const FileSnapshots&) = delete;
    FileSnapshots& operator=(const FileSnapshots&) = delete;

    std::shared_ptr<const FileSnapshot> Take();
    // Lets go of the texts kept for the next picture.
    void Forget();

  private:
    void onCloseCard(CardId) override { structure_ = true; }
    void onCloseFile() override { Forget(); }
    void onNewCard(CardId card, bool) override;
    void onNewFile() override { Forget(); }
    void onUpdateCardNtry(CardId) override { structure_ = true; }
    void onUpdateCardTxt(CardId card) override;

    void listCards();

    cCartulo& file_;
    bool structure_ = true;        // the list of cards must be read again
    std::vector<CardId> changed_;  // cards whose text changed since the last picture
    std::shared_ptr<const std::vector<FileSnapshot::Card>> cards_;
    std::vector<CardId> holderOf_;  // by card
    std::vector<std::shared_ptr<const std::string>> texts_;
    Subscription subscription_;
};

}  // namespace cartulo
