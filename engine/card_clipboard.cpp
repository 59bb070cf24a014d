// A card on the clipboard as text: entry length (2), a check character
// (length + 32), the entry, the text, and the marker "CaRd".
#include "engine/cartulo.h"
#include "engine/clipboard.h"
#include "engine/file_format.h"

namespace cartulo {

namespace {

constexpr std::string_view kMarker = "CaRd";
constexpr std::size_t kLengthWidth = 2;
constexpr int kCheckOffset = 32;

std::shared_ptr<ClipboardText>& clipboardSlot() {
    static std::shared_ptr<ClipboardText> slot = std::make_shared<MemoryClipboard>();
    return slot;
}

struct ClipCard {
    std::string entry;
    std::string text;
    bool incomplete = false;
};

std::optional<ClipCard> parseClipCard(std::string_view clip) {
    if (clip.size() < kLengthWidth + 1 || !clip.ends_with(kMarker)) return std::nullopt;
    const std::int64_t length = fieldValue(clip.substr(0, kLengthWidth));
    if (length < 0) return std::nullopt;
    if (static_cast<unsigned char>(clip[kLengthWidth]) != length + kCheckOffset)
        return std::nullopt;
    const auto entryLength = static_cast<std::size_t>(length);
    if (clip.size() < entryLength + kLengthWidth + 1 + kMarker.size()) return std::nullopt;
    ClipCard card;
    card.entry = std::string(clip.substr(kLengthWidth + 1, entryLength));
    const std::size_t textStart = kLengthWidth + 1 + entryLength;
    card.text = std::string(clip.substr(textStart, clip.size() - kMarker.size() - textStart));
    return card;
}

std::optional<ClipCard> clipboardCard() {
    const std::optional<ClipboardContent> clip = Clipboard().GetText();
    if (!clip) return std::nullopt;
    auto card = parseClipCard(clip->text);
    if (card) card->incomplete = clip->incomplete;
    return card;
}

}  // namespace

ClipboardText& Clipboard() {
    return *clipboardSlot();
}

void SetClipboard(std::shared_ptr<ClipboardText> clipboard) {
    clipboardSlot() = clipboard ? std::move(clipboard) : std::make_shared<MemoryClipboard>();
}

int cCartulo::ClipboardFormat() {
    return clipboardCard() ? 1 : 0;
}

void cCartulo::CopyCard(CardId card) const {
    if (!CardStore::valid(card)) return;
    const std::string entry = GetNtry(card);
    std::string clip = numberField(static_cast<std::int64_t>(entry.size()), kLengthWidth);
    clip += static_cast<char>(static_cast<unsigned char>(entry.size() + kCheckOffset));
    clip += entry;
    clip += GetTxt(card);
    clip += kMarker;
    Clipboard().SetText(clip);
}

ClipCardContent cCartulo::GetClipCard() {
    auto card = clipboardCard();
    if (!card) return {};
    return {std::move(card->entry), std::move(card->text)};
}

std::optional<ClipCardContent> cCartulo::ClipCardOf(std::string_view clip) {
    auto card = parseClipCard(clip);
    if (!card) return std::nullopt;
    return ClipCardContent{std::move(card->entry), std::move(card->text)};
}

CardId cCartulo::PasteCard() {
    auto card = clipboardCard();
    if (!card) return kNothingToPaste;
    // Nothing is created unless the file could store all of it.
    if (SrchNtry(card->entry) != kNoCard) return kEntryInUse;
    if (card->incomplete || CheckText(card->text)) return kUnstorableEntry;
    const CardId c = NewCard(card->entry);
    if (c < 0) return c;
    const std::int16_t t = store_.cards[c].text;
    if (store_.texts[t].text != card->text) {
        store_.texts[t].text = std::move(card->text);
        // Windows that met the card in NewCard saw the master card's text.
        raise([c](CartuloListener& l) { l.onUpdateCardTxt(c); });
    }
    return c;
}

}  // namespace cartulo
