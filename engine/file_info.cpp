// Statistics of a whole card file.
#include <cstdint>

#include "engine/cartulo.h"

namespace cartulo {

namespace {
// Per record beyond its entry and text: the two length fields and CR LF.
constexpr std::int32_t kRecordOverhead = 9;
// One file's size stays 32-bit: every text and entry the store takes is
// checked against the format's limits. Totals over several files are wider.
constexpr std::int64_t kLargestRecord =
    std::int64_t{kMaxEntryLength} + std::int64_t{kMaxTextLength} + kRecordOverhead;
static_assert(kCapacity * kLargestRecord <= INT32_MAX);
}  // namespace

FileInfo cCartulo::GetFileInfo() {
    FileInfo info;
    info.fileName = path_;
    info.tag = tag_;
    for (CardId c = store_.cardHead; c != kNoCard; c = store_.cards[c].nextCard) {
        store_.texts[store_.cards[c].text].mark = 0;
    }
    for (CardId c = store_.cardHead; c != kNoCard; c = store_.cards[c].nextCard) {
        const CardRecord& card = store_.cards[c];
        TextRecord& text = store_.texts[card.text];
        ++info.cards;
        const auto entryLength = static_cast<std::int32_t>(card.entry.size());
        if (text.mark != 0) {
            info.size += 2 * entryLength + kRecordOverhead;
        } else {
            info.sisters = static_cast<std::int16_t>(info.sisters + text.references - 1);
            text.mark = 1;
            info.size +=
                entryLength + static_cast<std::int32_t>(text.text.size()) + kRecordOverhead;
        }
    }
    info.capacity = static_cast<float>(info.cards) * 100.0f / static_cast<float>(kCapacity);
    return info;
}

std::string cCartulo::GetBasePath() const {
    const auto slash = path_.rfind('/');
    return slash == std::string::npos ? std::string() : path_.substr(0, slash);
}

}  // namespace cartulo
