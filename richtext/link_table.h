// Temporary stand-in until the real link table lands: recomputes on demand.
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

#include "engine/cartulo.h"
#include "engine/listeners.h"
#include "richtext/card_links.h"

namespace cartulo {

class LinkTableListener {
  public:
    virtual ~LinkTableListener() = default;
    virtual void onLinksChanged() {}
};

class LinkTable : private CartuloListener {
  public:
    explicit LinkTable(cCartulo& file) : file_(file), subscription_(file.Subscribe(*this)) {}
    struct Outgoing {
        CardLink link;
        CardId resolved = kNoCard;
    };
    std::vector<Outgoing> LinksFrom(CardId card) const {
        std::vector<Outgoing> out;
        for (CardLink& link : ReadCardLinks(file_.GetTxt(card))) {
            const CardId to = file_.SrchNtry(link.target);
            out.push_back({std::move(link), to});
        }
        return out;
    }
    std::vector<CardId> LinksTo(CardId card) const {
        std::vector<CardId> from;
        for (CardId c = file_.FirstCard(); c > 0; c = file_.NextCard(c)) {
            for (const Outgoing& o : LinksFrom(c)) {
                if (o.resolved == card) {
                    from.push_back(c);
                    break;
                }
            }
        }
        return from;
    }
    std::vector<std::pair<CardId, CardLink>> BrokenLinks() const { return {}; }
    Subscription Subscribe(LinkTableListener& listener) { return listeners_.subscribe(listener); }

  private:
    void changed() {
        listeners_.raise([](LinkTableListener& l) { l.onLinksChanged(); });
    }
    void onCloseCard(CardId) override { changed(); }
    void onNewCard(CardId, bool) override { changed(); }
    void onUpdateCardNtry(CardId) override { changed(); }
    void onUpdateCardTxt(CardId) override { changed(); }

    cCartulo& file_;
    ListenerList<LinkTableListener> listeners_;
    Subscription subscription_;
};

}  // namespace cartulo
