// The links between the cards of one open file, both ways, kept current from
// the file's card events: an edit re-reads that card alone, and a card that
// comes, goes or changes its entry re-resolves only the links naming it.
#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/cartulo.h"
#include "engine/listeners.h"
#include "richtext/card_links.h"

namespace cartulo {

class LinkTableListener {
  public:
    virtual ~LinkTableListener() = default;
    virtual void onLinksChanged() {}  // raised after any change of the table
};

// Links resolve as a press does, by cCartulo::SrchNtry (letter case ignored;
// a link to a sister resolves to that sister). The file must outlive the table.
class LinkTable : private CartuloListener {
  public:
    explicit LinkTable(
        cCartulo& file);  // reads every card once, then follows the file's card events
    LinkTable(const LinkTable&) = delete;
    LinkTable& operator=(const LinkTable&) = delete;

    struct Outgoing {
        CardLink link;
        CardId resolved = kNoCard;  // kNoCard: no card has the target

        bool operator==(const Outgoing&) const = default;
    };
    std::vector<Outgoing> LinksFrom(CardId card) const;  // in text order
    // Cards whose links resolve to `card`, each once, in card-list order; a
    // card that links to itself is among them.
    std::vector<CardId> LinksTo(CardId card) const;
    // Links no card answers, card after card in card-list order.
    std::vector<std::pair<CardId, CardLink>> BrokenLinks() const;
    Subscription Subscribe(LinkTableListener& listener) { return listeners_.subscribe(listener); }

  private:
    struct Link {
        Outgoing out;
        std::string key;  // the target as SrchNtry folds it
    };

    void onCloseCard(CardId card) override;
    void onCloseFile() override;
    void onNewCard(CardId card, bool alias) override;
    void onNewFile() override;
    void onUpdateCardNtry(CardId card) override;
    void onUpdateCardTxt(CardId card) override;

    void rebuild();
    void clear();
    void addCard(CardId card);
    void readLinks(CardId card);
    void dropLinks(CardId card);
    // Resolves again the links naming `key`; `leaving` is a card about to go.
    bool resolveAgain(const std::string& key, CardId leaving = kNoCard);
    void setResolved(CardId source, Link& link, CardId resolved);
    void changed();
    const std::vector<int>& ranks() const;

    cCartulo& file_;
    std::vector<std::vector<Link>> from_;  // by card id
    std::vector<std::vector<CardId>> to_;  // by card id: the source of each link resolving there
    std::vector<std::string> entryKeys_;   // by card id, for live cards
    std::vector<char> live_;
    std::unordered_map<std::string, std::vector<CardId>> naming_;  // key -> source of each link
    // The last text read, so that sisters read their shared text once.
    std::string lastText_;
    std::vector<CardLink> lastLinks_;
    mutable std::vector<int> ranks_;  // position in the card list, by card id
    mutable bool ranksStale_ = true;
    ListenerList<LinkTableListener> listeners_;
    Subscription subscription_;
};

}  // namespace cartulo
