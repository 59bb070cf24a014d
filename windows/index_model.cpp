#include "windows/index_model.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "platform/text_codec.h"

namespace cartulo::windows {

namespace {

// Eight bytes of a key from `from` as a number that orders like them, so
// most comparisons while sorting need no look at the keys themselves.
std::uint64_t keyHead(std::string_view key, std::size_t from) {
    unsigned char bytes[8] = {};
    if (from < key.size())
        std::memcpy(bytes, key.data() + from, std::min<std::size_t>(8, key.size() - from));
    std::uint64_t head = 0;
    for (const unsigned char b : bytes) head = head << 8 | b;
    return head;
}

}  // namespace

QString IndexModel::TextoPrincipal() {
    return platform::toQString(kMainCardName);
}

IndexModel::Item IndexModel::appendKey(std::string& keys, CardId card, std::string_view entry,
                                       bool main) {
    Item item{};
    item.card = card;
    item.main = main;
    item.key = static_cast<std::uint32_t>(keys.size());
    if (!main) {
        AnadirClave(keys, entry);
        const std::size_t from = keys.size();
        keys.resize(from + 1 + entry.size());
        keys[from] = '\0';
        std::memcpy(keys.data() + from + 1, entry.data(), entry.size());
    }
    item.keyLength = static_cast<std::uint16_t>(keys.size() - item.key);
    return item;
}

// The main card first, then byte-wise by key (entries are unique, so no two
// keys are equal).
QString IndexModel::textOf(const Item& item) const {
    if (item.main) return TextoPrincipal();
    // The key is the ranks, a zero byte, then the entry: each as long.
    const std::size_t length = (item.keyLength - 1u) / 2;
    return platform::toQString(std::string_view(keys_).substr(item.key + length + 1, length));
}

bool IndexModel::before(const std::string& keys, const Item& a, const Item& b) {
    if (a.main != b.main) return a.main;
    return keyIn(keys, a) < keyIn(keys, b);
}

void IndexModel::Llenar(const cCartulo& file) {
    const CardId mainCard = file.GetMain();
    // Sized first, so the buffer is never copied while it grows.
    std::size_t count = 0, bytes = 0;
    for (CardId c = file.FirstCard(); c != kNoCard; c = file.NextCard(c)) {
        ++count;
        if (c != mainCard) bytes += 2 * file.EntryView(c).size() + 1;
    }
    std::string keys;
    keys.reserve(bytes);
    std::vector<Item> items;
    items.reserve(count);
    for (CardId c = file.FirstCard(); c != kNoCard; c = file.NextCard(c)) {
        const bool main = c == mainCard;
        items.push_back(appendKey(keys, c, main ? std::string_view() : file.EntryView(c), main));
    }

    // A radix sort on the first eight bytes of each key, then the few runs
    // that share them by the whole key: far fewer steps than comparing.
    struct Place {
        std::uint64_t head;
        std::uint32_t item;
    };
    std::vector<Place> order(items.size()), spare(items.size());
    std::array<std::array<std::uint32_t, 256>, 8> counts{};
    for (std::size_t i = 0; i < items.size(); ++i) {
        // The main card's head is below every other: its key is empty and
        // every other key begins with a rank of at least 1.
        const std::uint64_t head = keyHead(keyIn(keys, items[i]), 0);
        order[i] = {head, static_cast<std::uint32_t>(i)};
        for (std::size_t b = 0; b < 8; ++b) ++counts[b][(head >> (8 * b)) & 0xFF];
    }
    for (std::size_t b = 0; b < 8; ++b) {
        std::array<std::uint32_t, 256>& at = counts[b];
        // A byte every head shares moves nothing.
        if (std::find(at.begin(), at.end(), items.size()) != at.end()) continue;
        std::uint32_t next = 0;
        for (std::uint32_t& n : at) next += std::exchange(n, next);
        for (const Place& place : order) spare[at[(place.head >> (8 * b)) & 0xFF]++] = place;
        order.swap(spare);
    }
    for (auto run = order.begin(); run != order.end();) {
        const auto end = std::find_if(
            run, order.end(), [head = run->head](const Place& p) { return p.head != head; });
        std::sort(run, end, [&](const Place& a, const Place& b) {
            return before(keys, items[a.item], items[b.item]);
        });
        run = end;
    }
    std::vector<Item> sorted;
    sorted.reserve(items.size());
    for (const Place& place : order) sorted.push_back(items[place.item]);

    beginResetModel();
    keys_ = std::move(keys);
    items_ = std::move(sorted);
    endResetModel();
}

void IndexModel::Vaciar() {
    beginResetModel();
    items_.clear();
    keys_.clear();
    endResetModel();
}

int IndexModel::Anadir(CardId card, const std::string& entry, bool main) {
    const Item item = appendKey(keys_, card, entry, main);
    const auto at =
        std::upper_bound(items_.begin(), items_.end(), item,
                         [this](const Item& a, const Item& b) { return before(keys_, a, b); });
    const int row = static_cast<int>(at - items_.begin());
    beginInsertRows({}, row, row);
    items_.insert(at, item);
    endInsertRows();
    return row;
}

std::optional<int> IndexModel::Quitar(CardId card) {
    const int row = FilaDe(card);
    if (row < 0) return std::nullopt;
    // Its key stays in the buffer until the next Llenar.
    beginRemoveRows({}, row, row);
    items_.erase(items_.begin() + row);
    endRemoveRows();
    return row;
}

int IndexModel::FilaDe(CardId card) const {
    const auto it = std::find_if(items_.begin(), items_.end(),
                                 [card](const Item& item) { return item.card == card; });
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

CardId IndexModel::FichaEn(int row) const {
    if (row < 0 || row >= Filas()) return kNoCard;
    return items_[static_cast<std::size_t>(row)].card;
}

QString IndexModel::TextoEn(int row) const {
    if (row < 0 || row >= Filas()) return {};
    return textOf(items_[static_cast<std::size_t>(row)]);
}

bool IndexModel::EsPrincipal(int row) const {
    return row >= 0 && row < Filas() && items_[static_cast<std::size_t>(row)].main;
}

int IndexModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Filas();
}

QVariant IndexModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= Filas()) return {};
    const Item& item = items_[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) return textOf(item);
    if (role == Qt::UserRole) return static_cast<int>(item.card);
    return {};
}

}  // namespace cartulo::windows
