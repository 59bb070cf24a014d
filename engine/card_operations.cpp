#include <string>

#include "engine/cartulo.h"
#include "engine/win1252.h"

namespace cartulo {

namespace {
// The name lists give the main card; no other card may take it, or a
// reference to it would be captured by that card after a reload.
bool isReservedEntry(std::string_view entry) {
    return win1252::toUpper(entry) == win1252::toUpper(kMainCardName);
}
}  // namespace

cCartulo::cCartulo() {
    resetSearchOptions();
}

CardId cCartulo::SrchNtry(std::string_view entry) const {
    if (entry == kMainCardName) entry = "";
    return store_.findEntry(entry);
}

EntryCheck cCartulo::ValidateNtry(CardId card, std::string_view entry) const {
    if (CardStore::valid(card) && store_.cards[card].main) {
        return entry.empty() ? EntryCheck::Ok : EntryCheck::MainMustBeEmpty;
    }
    if (isReservedEntry(entry)) return EntryCheck::InUse;
    if (store_.findEntry(entry, card) != kNoCard) return EntryCheck::InUse;
    if (entry.empty()) return EntryCheck::InUse;  // only the main card may have it
    if (entry.size() > kMaxEntryLength) return EntryCheck::Unstorable;
    return EntryCheck::Ok;
}

CardId cCartulo::NewCard(std::string_view entry) {
    if (SrchNtry(entry) != kNoCard || isReservedEntry(entry)) return kEntryInUse;
    if (entry.size() > kMaxEntryLength) return kUnstorableEntry;
    // A master card that is a sister of the main card may hold "@@...",
    // which only the main card's own record can store.
    std::string masterText = GetMasterTxt();
    if (CheckText(masterText, entry.empty())) masterText.clear();
    const CardId c = store_.allocateCard();
    if (c == -1) return kNoRoom;
    const std::int16_t t = store_.allocateText();
    if (t == -1) {
        store_.releaseCard(c);
        return kNoRoom;
    }
    CardRecord& card = store_.cards[c];
    card.inUse = 1;
    card.main = entry.empty();
    card.entry = std::string(entry);
    card.nextSister = -1;
    card.text = t;
    TextRecord& text = store_.texts[t];
    text.firstCard = c;
    text.references = 1;
    text.text = std::move(masterText);
    store_.linkCard(c);
    store_.linkText(t);
    if (card.main) main_ = c;
    raise([c](CartuloListener& l) { l.onNewCard(c, false); });
    changed_ = true;
    return c;
}

CardId cCartulo::NewAlias(CardId source, std::string_view entry) {
    if (SrchNtry(entry) != kNoCard || isReservedEntry(entry)) return kEntryInUse;
    if (entry.size() > kMaxEntryLength) return kUnstorableEntry;
    if (!CardStore::valid(source) || store_.cards[source].inUse == 0) return kNoSourceCard;
    const CardId c = store_.allocateCard();
    if (c == -1) return kNoRoom;
    CardRecord& card = store_.cards[c];
    card.inUse = 1;
    card.main = false;
    card.entry = std::string(entry);
    store_.linkSister(c, store_.cards[source].text);
    store_.linkCard(c);
    raise([c](CartuloListener& l) { l.onNewCard(c, true); });
    changed_ = true;
    return c;
}

int cCartulo::DelCard(CardId card) {
    if (!CardStore::valid(card)) return -1;
    CardRecord& rec = store_.cards[card];
    if (rec.main || rec.inUse == 0) return -1;
    raise([card](CartuloListener& l) { l.onCloseCard(card); });
    store_.unlinkSister(card);
    store_.unlinkCard(card);
    rec.inUse = 0;
    changed_ = true;
    return 0;
}

bool cCartulo::IsAlias(CardId a, CardId b) const {
    if (!CardStore::valid(a) || !CardStore::valid(b)) return false;
    return store_.cards[a].text == store_.cards[b].text;
}

std::string cCartulo::GetNtry(CardId card) const {
    return CardStore::valid(card) ? store_.cards[card].entry : std::string();
}

std::string_view cCartulo::EntryView(CardId card) const {
    return CardStore::valid(card) ? std::string_view(store_.cards[card].entry) : std::string_view();
}

EntryCheck cCartulo::SetNtry(CardId card, std::string_view entry) {
    if (!CardStore::valid(card) || store_.cards[card].inUse == 0) return EntryCheck::InUse;
    const EntryCheck verdict = ValidateNtry(card, entry);
    if (verdict != EntryCheck::Ok) return verdict;
    store_.setEntry(card, std::string(entry));
    raise([card](CartuloListener& l) { l.onUpdateCardNtry(card); });
    changed_ = true;
    return EntryCheck::Ok;
}

std::string cCartulo::GetTxt(CardId card) const {
    if (!CardStore::valid(card)) return {};
    return store_.texts[store_.cards[card].text].text;
}

bool cCartulo::SetTxt(CardId card, std::string_view text) {
    if (!CardStore::valid(card) || store_.cards[card].inUse == 0) return false;
    const std::int16_t t = store_.cards[card].text;
    if (store_.texts[t].text == text) return true;
    const bool mainText = main_ != kNoCard && store_.cards[main_].text == t;
    if (CheckText(text, mainText)) return false;
    store_.texts[t].text = std::string(text);
    // Listeners may call getters but not change the sister list meanwhile.
    for (std::int16_t c = store_.texts[t].firstCard; CardStore::valid(c);
         c = store_.cards[c].nextSister) {
        raise([c](CartuloListener& l) { l.onUpdateCardTxt(c); });
    }
    changed_ = true;
    return true;
}

std::string cCartulo::GetTxtFromNtry(std::string_view entry) const {
    const CardId c = SrchNtry(entry);
    return c == kNoCard ? std::string() : GetTxt(c);
}

CardId cCartulo::GetMain() const {
    return main_;
}

std::string cCartulo::GetMasterTxt() const {
    return GetTxtFromNtry(kMasterCardName);
}

std::vector<CardListItem> cCartulo::GetCrdList(bool showAll) const {
    std::vector<CardListItem> items;
    for (CardId c = store_.cardHead; c != -1; c = store_.cards[c].nextCard) {
        const CardRecord& rec = store_.cards[c];
        if (rec.main) {
            items.push_back({std::string(kMainCardName), c});
        } else if (showAll || rec.entry.empty() || rec.entry.front() != ' ') {
            items.push_back({rec.entry, c});
        }
    }
    return items;
}

std::vector<CardId> cCartulo::GetSisters(CardId card) const {
    std::vector<CardId> sisters;
    if (!CardStore::valid(card) || store_.cards[card].inUse == 0) return sisters;
    const TextRecord& t = store_.texts[store_.cards[card].text];
    for (std::int16_t c = t.firstCard; CardStore::valid(c) && sisters.size() <= kCapacity;
         c = store_.cards[c].nextSister) {
        sisters.push_back(c);
    }
    return sisters;
}

int cCartulo::CardCount() const {
    int n = 0;
    for (CardId c = store_.cardHead; c != -1 && n <= kCapacity; c = store_.cards[c].nextCard) ++n;
    return n;
}

CardId cCartulo::NextCard(CardId card) const {
    return CardStore::valid(card) ? store_.cards[card].nextCard : kNoCard;
}

}  // namespace cartulo
