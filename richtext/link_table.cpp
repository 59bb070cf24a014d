#include "richtext/link_table.h"

#include <algorithm>

#include "engine/win1252.h"

namespace cartulo {

namespace {

constexpr std::size_t kSlots = static_cast<std::size_t>(kCapacity) + 1;

// The key under which SrchNtry finds a target.
std::string foldTarget(std::string_view target) {
    return target == kMainCardName ? std::string() : win1252::toUpper(target);
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
    if (resolveAgain(entryKeys_[slot(card)]) || moved) changed();
}

void LinkTable::onUpdateCardTxt(CardId card) {
    if (!CardStore::valid(card) || !live_[slot(card)]) return;
    const std::vector<Outgoing> before = LinksFrom(card);
    dropLinks(card);
    readLinks(card);
    if (LinksFrom(card) != before) changed();
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
    lastText_.clear();
    lastLinks_.clear();
}

void LinkTable::clear() {
    from_.assign(kSlots, {});
    to_.assign(kSlots, {});
    entryKeys_.assign(kSlots, {});
    live_.assign(kSlots, 0);
    naming_.clear();
    lastText_.clear();
    lastLinks_.clear();
    ranksStale_ = true;
}

void LinkTable::addCard(CardId card) {
    live_[slot(card)] = 1;
    entryKeys_[slot(card)] = foldTarget(file_.GetNtry(card));
    readLinks(card);
}

void LinkTable::readLinks(CardId card) {
    std::string text = file_.GetTxt(card);
    if (text != lastText_) {
        lastLinks_ = ReadCardLinks(text);
        lastText_ = std::move(text);
    }
    std::vector<Link>& links = from_[slot(card)];
    links.clear();
    links.reserve(lastLinks_.size());
    for (const CardLink& read : lastLinks_) {
        Link link{{read, kNoCard}, foldTarget(read.target)};
        naming_[link.key].push_back(card);
        setResolved(card, link, file_.SrchNtry(read.target));
        links.push_back(std::move(link));
    }
}

void LinkTable::dropLinks(CardId card) {
    for (Link& link : from_[slot(card)]) {
        setResolved(card, link, kNoCard);
        const auto it = naming_.find(link.key);
        if (it == naming_.end()) continue;
        eraseOne(it->second, card);
        if (it->second.empty()) naming_.erase(it);
    }
    from_[slot(card)].clear();
}

bool LinkTable::resolveAgain(const std::string& key, CardId leaving) {
    const auto it = naming_.find(key);
    if (it == naming_.end()) return false;
    std::vector<CardId> sources = it->second;
    std::sort(sources.begin(), sources.end());
    sources.erase(std::unique(sources.begin(), sources.end()), sources.end());
    bool moved = false;
    for (CardId source : sources) {
        for (Link& link : from_[slot(source)]) {
            if (link.key != key) continue;
            CardId resolved = file_.SrchNtry(link.out.link.target);
            // The leaving card is still in the file while its event runs.
            if (resolved == leaving) resolved = kNoCard;
            if (resolved == link.out.resolved) continue;
            setResolved(source, link, resolved);
            moved = true;
        }
    }
    return moved;
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
