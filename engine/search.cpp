// FindFirst, FindNext and FindWord over the cards of one file.
#include <algorithm>

#include "engine/cartulo.h"
#include "engine/text_fields.h"
#include "engine/win1252.h"

namespace cartulo {

namespace {

unsigned char byte(char c) {
    return static_cast<unsigned char>(c);
}

const unsigned char* identityTable() {
    static const auto table = [] {
        std::array<unsigned char, 256> t{};
        for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
        return t;
    }();
    return table.data();
}

}  // namespace

void cCartulo::resetSearchOptions() {
    matchCase_ = false;
    wholeWords_ = true;
    separators_ = "\t\r\n ,.;:\"\xBF?\xA1!()-";
    isSeparator_.fill(false);
    for (char c : separators_) isSeparator_[byte(c)] = true;
}

void cCartulo::prepareQuery() {
    prepared_.clear();
    for (const QueryTerm& term : query_.terms) {
        PreparedTerm p{finderFor(term.word), TermSource::Text, {}, false, false};
        if ((query_.mode & 0xFF) == kModeText || term.field.empty()) {
            p.source = TermSource::Text;
        } else if (win1252::equalsIgnoringCase(term.field, "ntry")) {
            p.source = TermSource::Entry;
        } else {
            p.source = TermSource::Field;
            p.field = term.field;
        }
        p.absent = term.op == TermOperator::Absent;
        p.unmatchable = term.unmatchable;
        prepared_.push_back(std::move(p));
    }
}

WordFinder cCartulo::finderFor(std::string_view word) const {
    if (matchCase_) return WordFinder(std::string(word), identityTable());
    return WordFinder(win1252::toUpper(word), win1252::upperTable());
}

std::int32_t cCartulo::FindWord(std::string_view text, std::string_view word,
                                std::int32_t start) const {
    const std::size_t from = start > 1 ? static_cast<std::size_t>(start - 1) : 0;
    const std::size_t at = finderFor(word).find(text, from, wholeWords_ ? &isSeparator_ : nullptr);
    return at == std::string_view::npos ? 0 : static_cast<std::int32_t>(at + 1);
}

bool cCartulo::matches(CardId card) const {
    const int low = query_.mode & 0xFF;
    if (low == kModeAll) return true;
    if (low != kModeText && low != kModeFields) return false;
    // Only empty terms: like the empty query, whatever the form.
    if (prepared_.empty()) return true;
    const bool anyTerm = (query_.mode & kAnyTerm) != 0;
    const CardRecord& rec = store_.cards[card];
    const std::string_view text = store_.texts[rec.text].text;
    const auto* separators = wholeWords_ ? &isSeparator_ : nullptr;
    for (const PreparedTerm& term : prepared_) {
        bool found = false;
        if (!term.unmatchable) {
            std::string_view searched = text;
            if (term.source == TermSource::Entry) {
                searched = rec.entry;
            } else if (term.source == TermSource::Field) {
                searched = fieldValueIn(text, term.field);
            }
            found = term.finder.find(searched, 0, separators) != std::string_view::npos;
        }
        const bool holds = found != term.absent;
        if (anyTerm && holds) return true;
        if (!anyTerm && !holds) return false;
    }
    return !anyTerm;
}

CardId cCartulo::FindFirst(std::string_view query, std::span<const std::size_t> unmatchable) {
    // Every parse, valid or not, replaces the cached query, so the cache
    // always describes the mode and terms in force.
    if (query != cachedQuery_ ||
        !std::equal(unmatchable.begin(), unmatchable.end(), cachedUnmatchable_.begin(),
                    cachedUnmatchable_.end())) {
        query_ = ParseQuery(query, unmatchable);
        cachedQuery_ = std::string(query);
        cachedUnmatchable_.assign(unmatchable.begin(), unmatchable.end());
        prepareQuery();
    }
    const CardId head = store_.cardHead;
    if (head == kNoCard) return kNoCard;
    return matches(head) ? head : FindNext(head);
}

CardId cCartulo::FindNext(CardId card) {
    // A card no longer in the list has no place in its order.
    if (!CardStore::valid(card) || store_.cards[card].inUse == 0) return kNoCard;
    for (CardId c = store_.cards[card].nextCard; c != kNoCard; c = store_.cards[c].nextCard) {
        if (matches(c)) return c;
    }
    return kNoCard;
}

}  // namespace cartulo
