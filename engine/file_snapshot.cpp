#include "engine/file_snapshot.h"

#include <algorithm>
#include <utility>

#include "engine/file_format.h"

namespace cartulo {

std::optional<FileError> FileSnapshot::Encode(std::string& out) const {
    std::vector<CardToWrite> cards;
    cards.reserve(cards_->size());
    for (const Card& card : *cards_) {
        cards.push_back(
            {card.entry, *texts_[static_cast<std::size_t>(card.holder)], card.holder, card.main});
    }
    return encodeCards(cards, out);
}

FileSnapshots::FileSnapshots(cCartulo& file) : file_(file), subscription_(file.Subscribe(*this)) {}

void FileSnapshots::Forget() {
    structure_ = true;
    changed_.clear();
    cards_.reset();
    holderOf_.clear();
    texts_.clear();
}

void FileSnapshots::onNewCard(CardId card, bool) {
    structure_ = true;
    // Its number may have been another card's, and so may its text's.
    changed_.push_back(card);
}

void FileSnapshots::onUpdateCardTxt(CardId card) {
    if (!changed_.empty() && changed_.back() == card) return;
    changed_.push_back(card);
    // Beyond one change per card, copying every text again is cheaper.
    if (changed_.size() > kCapacity) Forget();
}

std::shared_ptr<const FileSnapshot> FileSnapshots::Take() {
    if (texts_.empty()) texts_.resize(kCapacity + 1);
    if (holderOf_.empty()) holderOf_.assign(kCapacity + 1, kNoCard);
    // A holder keeps its text unless one of its sisters' changed.
    for (const CardId card : std::exchange(changed_, {})) {
        if (!CardStore::valid(card)) continue;
        texts_[static_cast<std::size_t>(card)].reset();
        if (const CardId holder = holderOf_[static_cast<std::size_t>(card)]; holder != kNoCard) {
            texts_[static_cast<std::size_t>(holder)].reset();
        }
    }
    if (std::exchange(structure_, false)) listCards();
    for (const FileSnapshot::Card& card : *cards_) {
        auto& text = texts_[static_cast<std::size_t>(card.holder)];
        if (!text) text = std::make_shared<const std::string>(file_.GetTxt(card.holder));
    }
    auto picture = std::make_shared<FileSnapshot>();
    picture->cards_ = cards_;
    picture->texts_ = texts_;
    return picture;
}

void FileSnapshots::listCards() {
    auto cards = std::make_shared<std::vector<FileSnapshot::Card>>();
    std::vector<CardId> holderOf(kCapacity + 1, kNoCard);
    std::vector<std::shared_ptr<const std::string>> texts(kCapacity + 1);
    const auto add = [&](CardId card) {
        auto& holder = holderOf[static_cast<std::size_t>(card)];
        if (holder == kNoCard) {
            const std::vector<CardId> sisters = file_.GetSisters(card);
            const CardId first = sisters.empty() ? card : sisters.front();
            for (const CardId sister : sisters) holderOf[static_cast<std::size_t>(sister)] = first;
            holder = first;
            // Kept when this card held the text before and nothing was told
            // since of a change to it or of the card being made anew.
            texts[static_cast<std::size_t>(first)] =
                std::move(texts_[static_cast<std::size_t>(first)]);
        }
        cards->push_back({std::string(file_.EntryView(card)), holder, card == file_.GetMain()});
    };
    // The main card is written first.
    if (const CardId main = file_.SrchNtry(""); main != kNoCard) {
        add(main);
        for (CardId card = file_.FirstCard(); card != kNoCard; card = file_.NextCard(card)) {
            if (card != main) add(card);
        }
    }
    cards_ = std::move(cards);
    holderOf_ = std::move(holderOf);
    texts_ = std::move(texts);
}

}  // namespace cartulo
