#include "engine/card_store.h"

#include <algorithm>

#include "engine/win1252.h"

namespace cartulo {

CardStore::CardStore() : cards(kCapacity + 1), texts(kCapacity + 1) {
    reset();
}

void CardStore::reset() {
    for (int i = 1; i <= kCapacity; ++i) {
        CardRecord& c = cards[i];
        c.inUse = 0;
        c.main = false;
        c.nextCard = static_cast<std::int16_t>(i + 1);
        c.nextSister = -1;
        c.mark = false;
        c.stamp = 0;
        std::string().swap(c.entry);
        TextRecord& t = texts[i];
        t.references = 0;
        t.firstCard = 0;
        t.nextText = static_cast<std::int16_t>(i + 1);
        t.mark = 0;
        std::string().swap(t.text);
    }
    cards[kCapacity].nextCard = -1;
    texts[kCapacity].nextText = -1;
    cardHead = textHead = -1;
    cardFree = textFree = 1;
    byEntry_.clear();
    nextStamp_ = 1;
}

std::int16_t CardStore::allocateCard() {
    const std::int16_t r = cardFree;
    if (r == -1) return -1;
    cardFree = cards[r].nextCard;
    cards[r].nextCard = -1;
    return r;
}

std::int16_t CardStore::allocateText() {
    const std::int16_t r = textFree;
    if (r == -1) return -1;
    textFree = texts[r].nextText;
    texts[r].nextText = -1;
    return r;
}

void CardStore::releaseCard(std::int16_t card) {
    cards[card].nextCard = cardFree;
    cardFree = card;
}

void CardStore::linkCard(std::int16_t card) {
    cards[card].nextCard = cardHead;
    cardHead = card;
    cards[card].stamp = nextStamp_++;
    indexAdd(card);
}

void CardStore::unlinkCard(std::int16_t card) {
    if (cardHead == card) {
        cardHead = cards[card].nextCard;
    } else {
        for (std::int16_t p = cardHead; p != -1; p = cards[p].nextCard) {
            if (cards[p].nextCard == card) {
                cards[p].nextCard = cards[card].nextCard;
                break;
            }
        }
    }
    indexRemove(card);
}

void CardStore::moveToHead(std::int16_t card) {
    if (cardHead == card) return;
    for (std::int16_t p = cardHead; p != -1; p = cards[p].nextCard) {
        if (cards[p].nextCard == card) {
            cards[p].nextCard = cards[card].nextCard;
            break;
        }
    }
    cards[card].nextCard = cardHead;
    cardHead = card;
    cards[card].stamp = nextStamp_++;
}

void CardStore::linkText(std::int16_t text) {
    texts[text].nextText = textHead;
    textHead = text;
}

void CardStore::linkSister(std::int16_t card, std::int16_t text) {
    cards[card].text = text;
    cards[card].nextSister = texts[text].firstCard;
    texts[text].firstCard = card;
    ++texts[text].references;
}

void CardStore::unlinkSister(std::int16_t card) {
    TextRecord& t = texts[cards[card].text];
    if (t.firstCard == card) {
        t.firstCard = cards[card].nextSister;
    } else {
        for (std::int16_t p = t.firstCard; valid(p); p = cards[p].nextSister) {
            if (cards[p].nextSister == card) {
                cards[p].nextSister = cards[card].nextSister;
                break;
            }
        }
    }
    --t.references;
}

void CardStore::setEntry(std::int16_t card, std::string entry) {
    indexRemove(card);
    cards[card].entry = std::move(entry);
    indexAdd(card);
}

std::int16_t CardStore::findEntry(std::string_view entry, std::int16_t except) const {
    auto it = byEntry_.find(win1252::toUpper(entry));
    if (it == byEntry_.end()) return -1;
    std::int16_t best = -1;
    for (std::int16_t c : it->second) {
        if (c != except && (best == -1 || cards[c].stamp > cards[best].stamp)) best = c;
    }
    return best;
}

void CardStore::indexAdd(std::int16_t card) {
    byEntry_[win1252::toUpper(cards[card].entry)].push_back(card);
}

void CardStore::indexRemove(std::int16_t card) {
    auto it = byEntry_.find(win1252::toUpper(cards[card].entry));
    if (it == byEntry_.end()) return;
    std::erase(it->second, card);
    if (it->second.empty()) byEntry_.erase(it);
}

}  // namespace cartulo
