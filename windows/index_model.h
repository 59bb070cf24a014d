// The index window's list: one row per card, the main card first and the
// others sorted by ClaveOrden, each row carrying its card identifier. Filling
// reads the entries in place, keeps every key (and the entry's bytes after
// it) in one shared buffer, sorts small records by radix, and converts an
// entry to display text only when the view asks for that row, so a
// 5000-card file fills in about the time a plain list takes to add the same
// strings. A single card is inserted at its
// sorted place.
#pragma once

#include <QAbstractListModel>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/cartulo.h"
#include "windows/index_search.h"

namespace cartulo::windows {

class IndexModel : public QAbstractListModel {
  public:
    // What the list shows for the main card, whose entry is empty.
    static QString TextoPrincipal();

    explicit IndexModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    // Replaces every row with the file's cards.
    void Llenar(const cCartulo& file);
    void Vaciar();
    // Adds the card at its sorted place; its row.
    int Anadir(CardId card, const std::string& entry, bool main);
    // Removes the card's row; the row it had, or nothing when it had none.
    std::optional<int> Quitar(CardId card);

    int Filas() const { return static_cast<int>(items_.size()); }
    int FilaDe(CardId card) const;  // -1 when the card has no row
    CardId FichaEn(int row) const;
    QString TextoEn(int row) const;
    bool EsPrincipal(int row) const;
    // The row's ClaveOrden, followed by a zero byte and the entry's own bytes,
    // which order entries that differ only in case or accents.
    std::string_view ClaveEn(int row) const { return keyOf(items_[static_cast<std::size_t>(row)]); }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  private:
    // Where the row's key lies in the shared buffer.
    struct Item {
        std::uint32_t key;
        std::uint16_t keyLength;
        CardId card;
        bool main;
    };
    // Appends the entry's key to `keys`; its item.
    static Item appendKey(std::string& keys, CardId card, std::string_view entry, bool main);
    static std::string_view keyIn(const std::string& keys, const Item& item) {
        return std::string_view(keys).substr(item.key, item.keyLength);
    }
    static bool before(const std::string& keys, const Item& a, const Item& b);
    std::string_view keyOf(const Item& item) const { return keyIn(keys_, item); }
    QString textOf(const Item& item) const;

    std::string keys_;
    std::vector<Item> items_;
};

}  // namespace cartulo::windows
