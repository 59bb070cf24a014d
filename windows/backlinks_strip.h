// The strip under a card window's text that lists the cards linking to its
// card, "Enlaces a esta ficha (N)". Enter or a double click on an entry
// opens that card. It follows the file's link table, and reads it again only
// while it is shown.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/cartulo.h"
#include "richtext/link_table.h"

class QLabel;
class QListWidget;

namespace cartulo::windows {

struct EnlaceEntrante {
    CardId card = kNoCard;
    std::string entry;  // " <Ficha principal>" for the main card
    bool operator==(const EnlaceEntrante&) const = default;
};

// The cards whose links lead to `card`, in the index's order (the main card
// first), each once.
std::vector<EnlaceEntrante> EnlacesEntrantes(const LinkTable& links, const cCartulo& file,
                                             CardId card);

class BacklinksStrip : public QWidget, private LinkTableListener {
  public:
    // `links` may be null: no link is known, the list stays empty.
    BacklinksStrip(std::shared_ptr<LinkTable> links, const cCartulo& file, CardId card,
                   std::function<void(CardId)> open, QWidget* parent = nullptr);
    ~BacklinksStrip() override;

    // Reads the table again when shown; a hidden strip only notes that it must.
    void Actualizar();
    // Follows the table no more (its window is closing).
    void Soltar();

    const std::vector<EnlaceEntrante>& Enlaces() const { return shown_; }
    QLabel* lblEnlaces() const { return lblEnlaces_; }
    QListWidget* lstEnlaces() const { return lstEnlaces_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void onLinksChanged() override { Actualizar(); }
    void abrir(int row);

    std::shared_ptr<LinkTable> links_;
    Subscription subscription_;
    const cCartulo& file_;
    CardId card_;
    std::function<void(CardId)> open_;
    std::vector<EnlaceEntrante> shown_;
    // What the list was built from: the linking cards in the table's order,
    // their entries and the main card.
    std::vector<CardId> readIds_;
    std::vector<std::string> readEntries_;
    CardId readMain_ = kNoCard;
    bool stale_ = true;
    QLabel* lblEnlaces_ = nullptr;
    QListWidget* lstEnlaces_ = nullptr;
};

}  // namespace cartulo::windows
