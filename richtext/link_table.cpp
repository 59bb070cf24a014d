#include "richtext/link_table.h"

#include <algorithm>

#include "engine/win1252.h"

namespace cartulo {

namespace {

constexpr std::size_t kSlots = static_cast<std::size_t>(kCapacity) + 1;

// The key under which SrchNtry finds a target.
void foldInto(std::string_view target, std::string& key) {
    key.clear();
    if (target == kMainCardName) return;
    key.resize(target.size());
    std::transform(target.begin(), target.end(), key.begin(),
                   [](char c) { return win1252::toUpper(c); });
}

std::string foldTarget(std::string_view target) {
    std::string key;
    foldInto(target, key);
    return key;
}

std::size_t slot(CardId card) {
    return static_cast<std::size_t>(card);
}

void eraseOne(std::vector<CardId>& cards, CardId card) {
    const auto it = std::find(cards.begin(), cards.end(), card);
    if (it != cards.end()) cards.erase(it);
}

}  // namespace

LinkTable::LinkTable(cCartulo& file) : file_(file) {
    rebuild();
    subscription_ = file_.Subscribe(static_cast<CartuloListener&>(*this));
}

std::vector<LinkTable::Outgoing> LinkTable::LinksFrom(CardId card) const {
    std::vector<Outgoing> out;
    if (!CardStore::valid(card)) return out;
    for (const Link& link : from_[slot(card)]) out.push_back(link.out);
    return out;
}

std::vector<CardId> LinkTable::LinksTo(CardId card) const {
    if (!CardStore::valid(card)) return {};
    std::vector<CardId> sources = to_[slot(card)];
    const std::vector<int>& rank = ranks();
    std::sort(sources.begin(), sources.end(),
              [&](CardId a, CardId b) { return rank[slot(a)] < rank[slot(b)]; });
    sources.erase(std::unique(sources.begin(), sources.end()), sources.end());
    return sources;
}

std::vector<std::pair<CardId, CardLink>> LinkTable::BrokenLinks() const {
    std::vector<std::pair<CardId, CardLink>> out;
    for (CardId c = file_.FirstCard(); CardStore::valid(c); c = file_.NextCard(c)) {
        for (const Link& link : from_[slot(c)]) {
            if (link.out.resolved == kNoCard) out.emplace_back(c, link.out.link);
        }
    }
    return out;
}

void LinkTable::onCloseCard(CardId card) {
    if (!CardStore::valid(card) || !live_[slot(card)]) return;
    dropLinks(card);
    live_[slot(card)] = 0;
    ranksStale_ = true;
    resolveAgain(entryKeys_[slot(card)], card);
    entryKeys_[slot(card)].clear();
    changed();
}

void LinkTable::onCloseFile() {
    clear();
    changed();
}

void LinkTable::onNewCard(CardId card, bool /*alias*/) {
    if (!CardStore::valid(card)) return;
    addCard(card);
    ranksStale_ = true;
    resolveAgain(entryKeys_[slot(card)]);
    changed();
}

void LinkTable::onNewFile() {
    rebuild();
    changed();
}

void LinkTable::onUpdateCardNtry(CardId card) {
    if (!CardStore::valid(card) || !live_[slot(card)]) return;
    const std::string before = std::move(entryKeys_[slot(card)]);
    entryKeys_[slot(card)] = foldTarget(file_.GetNtry(card));
    const bool moved = resolveAgain(before);
    // A card that links somewhere is listed by its entry among the links of
    // others, so its new name is news even when no link moves.
    if (resolveAgain(entryKeys_[slot(card)]) || moved || !from_[slot(card)].empty()) changed();
}

void LinkTable::onUpdateCardTxt(CardId card) {
    if (!CardStore::valid(card) || !live_[slot(card)]) return;
    // Typing before a link moves it without changing where it leads: no news.
    const auto leads = [this](CardId c) {
        std::vector<std::pair<std::string, CardId>> out;
        for (const Link& link : from_[slot(c)])
            out.emplace_back(link.out.link.target, link.out.resolved);
        return out;
    };
    const auto before = leads(card);
    dropLinks(card);
    readLinks(card);
    if (leads(card) != before) changed();
}

void LinkTable::rebuild() {
    clear();
    // Every card is live before any link resolves, so the order of reading
    // does not matter.
    for (CardId c = file_.FirstCard(); CardStore::valid(c); c = file_.NextCard(c)) {
        live_[slot(c)] = 1;
        entryKeys_[slot(c)] = foldTarget(file_.GetNtry(c));
    }
    for (CardId c = file_.FirstCard(); CardStore::valid(c); c = file_.NextCard(c)) readLinks(c);
}

void LinkTable::clear() {
    from_.assign(kSlots, {});
    to_.assign(kSlots, {});
    entryKeys_.assign(kSlots, {});
    live_.assign(kSlots, 0);
    naming_.clear();
    naming_.reserve(kSlots);
    lastCard_ = kNoCard;
    lastText_.clear();
    ranksStale_ = true;
}

void LinkTable::addCard(CardId card) {
    live_[slot(card)] = 1;
    entryKeys_[slot(card)] = foldTarget(file_.GetNtry(card));
    readLinks(card);
}

void LinkTable::readLinks(CardId card) {
    std::string text = file_.GetTxt(card);
    std::vector<CardLink> read;
    if (CardStore::valid(lastCard_) && lastCard_ != card && live_[slot(lastCard_)] &&
        text == lastText_) {
        for (const Link& link : from_[slot(lastCard_)]) read.push_back(link.out.link);
    } else {
        read = ReadCardLinks(text);
    }
    lastCard_ = card;
    lastText_ = std::move(text);
    std::vector<Link>& links = from_[slot(card)];
    links.clear();
    links.reserve(read.size());
    for (CardLink& one : read) {
        // Folded into a buffer kept between links: most targets are named before.
        Link& link = links.emplace_back();
        if (one.target.empty()) {
            // A press on an empty target goes nowhere: it is broken, named by no card.
            link.out.link = std::move(one);
            continue;
        }
        foldInto(one.target, key_);
        auto it = naming_.find(key_);
        if (it == naming_.end()) {
            it = naming_.emplace(key_, Naming{one.target, {}, resolve(one.target, kNoCard)}).first;
        }
        Naming& naming = it->second;
        naming.sources.push_back(card);
        link.out.link = std::move(one);
        link.naming = &*it;
        setResolved(card, link, naming.resolved);
    }
}

void LinkTable::dropLinks(CardId card) {
    for (Link& link : from_[slot(card)]) {
        setResolved(card, link, kNoCard);
        if (link.naming == nullptr) continue;
        std::vector<CardId>& sources = link.naming->second.sources;
        eraseOne(sources, card);
        if (sources.empty()) naming_.erase(naming_.find(link.naming->first));
    }
    from_[slot(card)].clear();
    if (lastCard_ == card) lastCard_ = kNoCard;
}

CardId LinkTable::resolve(std::string_view target, CardId leaving) const {
    if (target.empty()) return kNoCard;
    const CardId card = file_.SrchNtry(target);
    if (!CardStore::valid(card)) return kNoCard;
    if (card != leaving) return card;
    // The leaving card is still in the file while its event runs. A loaded
    // file may hold its entry twice: then SrchNtry will find the other card,
    // the one first in the card list.
    const std::string key = foldTarget(target);
    const std::vector<int>& rank = ranks();
    CardId next = kNoCard;
    for (int i = 1; i <= kCapacity; ++i) {
        const auto c = static_cast<CardId>(i);
        if (c != leaving && live_[slot(c)] && entryKeys_[slot(c)] == key &&
            (next == kNoCard || rank[slot(c)] < rank[slot(next)])) {
            next = c;
        }
    }
    return next;
}

bool LinkTable::resolveAgain(const std::string& key, CardId leaving) {
    const auto it = naming_.find(key);
    if (it == naming_.end()) return false;
    Naming& naming = it->second;
    const CardId resolved = resolve(naming.target, leaving);
    if (resolved == naming.resolved) return false;
    naming.resolved = resolved;
    std::vector<CardId> sources = naming.sources;
    std::sort(sources.begin(), sources.end());
    sources.erase(std::unique(sources.begin(), sources.end()), sources.end());
    for (CardId source : sources) {
        for (Link& link : from_[slot(source)]) {
            if (link.naming == &*it) setResolved(source, link, resolved);
        }
    }
    return true;
}

void LinkTable::setResolved(CardId source, Link& link, CardId resolved) {
    if (CardStore::valid(link.out.resolved)) eraseOne(to_[slot(link.out.resolved)], source);
    link.out.resolved = CardStore::valid(resolved) ? resolved : kNoCard;
    if (CardStore::valid(resolved)) to_[slot(resolved)].push_back(source);
}

void LinkTable::changed() {
    listeners_.raise([](LinkTableListener& l) { l.onLinksChanged(); });
}

const std::vector<int>& LinkTable::ranks() const {
    if (ranksStale_) {
        ranks_.assign(kSlots, 0);
        int rank = 0;
        for (CardId c = file_.FirstCard(); CardStore::valid(c); c = file_.NextCard(c)) {
            ranks_[slot(c)] = rank++;
        }
        ranksStale_ = false;
    }
    return ranks_;
}

}  // namespace cartulo
