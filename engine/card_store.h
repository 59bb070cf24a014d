// The fixed-capacity tables of one open card file: card records and text
// records, each with a free list, linked by 16-bit indices, plus an index of
// live cards by upper-cased entry so look-ups need not walk the card list.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace cartulo {

using CardId = std::int16_t;
inline constexpr CardId kNoCard = -1;

// Records 1..kCapacity are usable in both tables; record 0 is never handed out.
inline constexpr int kCapacity = 5000;

struct CardRecord {
    std::string entry;
    std::int16_t inUse = 0;
    bool main = false;
    std::int16_t text = 0;
    std::int16_t nextCard = -1;
    std::int16_t nextSister = -1;
    bool mark = false;
    // Position in the card list: a card linked later has a larger stamp, so
    // descending stamps give card-list order without walking the list.
    std::uint32_t stamp = 0;
};

struct TextRecord {
    std::string text;
    std::int16_t references = 0;
    std::int16_t firstCard = 0;
    std::int16_t nextText = -1;
    std::int16_t mark = 0;
};

class CardStore {
  public:
    CardStore();

    // Reinitialises both tables and list heads; the strings of the records
    // are released too, so a closed file holds no memory.
    void reset();

    std::int16_t allocateCard();
    std::int16_t allocateText();
    void releaseCard(std::int16_t card);  // back to the head of the free list

    // Links a live card at the head of the card list and indexes its entry.
    void linkCard(std::int16_t card);
    void unlinkCard(std::int16_t card);
    void moveToHead(std::int16_t card);
    void linkText(std::int16_t text);
    void linkSister(std::int16_t card, std::int16_t text);
    void unlinkSister(std::int16_t card);

    // Changes the entry of a linked card, keeping the index current.
    void setEntry(std::int16_t card, std::string entry);

    // First card of the card list whose entry equals the given one under the
    // Spanish upper-casing rules, or -1. `except` is never returned.
    std::int16_t findEntry(std::string_view entry, std::int16_t except = -1) const;

    static bool valid(int index) { return index >= 1 && index <= kCapacity; }

    std::vector<CardRecord> cards;  // 0..kCapacity
    std::vector<TextRecord> texts;  // 0..kCapacity
    std::int16_t cardHead = -1;
    std::int16_t textHead = -1;
    std::int16_t cardFree = 1;
    std::int16_t textFree = 1;

  private:
    void indexAdd(std::int16_t card);
    void indexRemove(std::int16_t card);

    std::unordered_map<std::string, std::vector<std::int16_t>> byEntry_;
    std::uint32_t nextStamp_ = 1;
};

}  // namespace cartulo
