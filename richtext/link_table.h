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
    // Raised when a link comes, goes or leads elsewhere, or a card holding
    // links changes its entry; not when typing only moves links in a text.
    virtual void onLinksChanged() {}
};

// Links resolve as a press does, by cCartulo::SrchNtry (letter case ignored;
// a link to a sister resolves to that sister). The file must outlive the
// table. OpenFile raises no event, so a file read into the same cCartulo
// after the table was made needs a new table (NewFile rebuilds it).
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
    // The links of one target as SrchNtry folds it: they all resolve alike.
    struct Naming {
        std::string target;           // as one of them wrote it, to ask SrchNtry
        std::vector<CardId> sources;  // the card of each link
        CardId resolved = kNoCard;
    };
    using NamingMap = std::unordered_map<std::string, Naming>;
    struct Link {
        Outgoing out;
        NamingMap::value_type* naming = nullptr;  // nodes stay put while links name them
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
    CardId resolve(std::string_view target, CardId leaving) const;
    void setResolved(CardId source, Link& link, CardId resolved);
    void changed();
    const std::vector<int>& ranks() const;

    cCartulo& file_;
    std::vector<std::vector<Link>> from_;  // by card id
    std::vector<std::vector<CardId>> to_;  // by card id: the source of each link resolving there
    std::vector<std::string> entryKeys_;   // by card id, for live cards
    std::vector<char> live_;
    NamingMap naming_;
    // The last card read and its text, so that sisters read their shared
    // text once.
    CardId lastCard_ = kNoCard;
    std::string lastText_;
    std::string key_;                 // a target being folded
    mutable std::vector<int> ranks_;  // position in the card list, by card id
    mutable bool ranksStale_ = true;
    ListenerList<LinkTableListener> listeners_;
    Subscription subscription_;
};

}  // namespace cartulo
