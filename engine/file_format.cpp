// The card-file reader and writer.
#include "engine/file_format.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "engine/cartulo.h"
#include "engine/file_io.h"
#include "engine/paths.h"
#include "engine/win1252.h"

namespace cartulo {

namespace {

constexpr std::size_t kHeaderWidth = 5;
constexpr std::size_t kEntryLengthWidth = 2;
constexpr std::size_t kTextLengthWidth = 5;
constexpr std::string_view kRecordEnd = "\r\n";
constexpr std::string_view kSisterMark = "@@";
// A 16-bit count after adding one: the largest header the format can state.
constexpr std::int64_t kMaxHeaderCount = 32767;

std::string_view trimSpaces(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// Bytes of a file quoted in a description, as UTF-8 with every control
// character written as an escape: a NUL would cut the message where it is
// read as a C string, and a CR or LF would break it into lines.
std::string printable(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size());
    for (char c : cp1252) {
        const char32_t ch = win1252::toUnicode(static_cast<unsigned char>(c));
        if (ch >= 0x20 && (ch < 0x7F || ch > 0x9F)) {
            win1252::appendUtf8(out, ch);
            continue;
        }
        switch (c) {
            case '\0':
                out += "\\0";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            default: {
                static constexpr char kHex[] = "0123456789ABCDEF";
                const auto b = static_cast<unsigned char>(c);
                out += "\\x";
                out += kHex[b >> 4];
                out += kHex[b & 0xF];
            }
        }
    }
    return out;
}

// The file name as a title until the file's own is read. Characters the
// code page cannot hold show as "_" rather than vanish.
std::string titleFromFileName(std::string_view name) {
    return win1252::fromUtf8(name, '_').text;
}

}  // namespace

std::string numberField(std::int64_t value, std::size_t width) {
    std::string s = std::to_string(value);
    s.resize(width, ' ');
    return s;
}

std::int64_t fieldValue(std::string_view field) {
    std::int64_t value = 0;
    bool negative = false, started = false;
    for (char c : field) {
        if (c == ' ') continue;
        if (!started && (c == '-' || c == '+')) {
            negative = c == '-';
            started = true;
            continue;
        }
        if (c < '0' || c > '9') break;
        started = true;
        if (value < (std::int64_t{1} << 40)) value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::optional<FileError> cCartulo::readFileInto(const std::string& path) {
    FileReader in;
    if (auto e = in.open(path)) return e;

    NewFile(titleFromFileName(paths::FileNamePart(path)));
    path_ = path;

    std::string field;
    auto readField = [&](std::size_t width) -> std::optional<FileError> {
        field.clear();
        return in.read(width, field);
    };

    if (auto e = readField(kHeaderWidth)) return e;
    const std::int64_t count = fieldValue(field) + 1;
    if (count > kMaxHeaderCount || count < -kMaxHeaderCount - 1) {
        return FileError{errors::kOverflow, "La cabecera del archivo indica demasiadas fichas («" +
                                                printable(field) + "»)."};
    }
    if (count <= 0 || std::to_string(count - 1) != trimSpaces(field)) {
        return FileError{errors::kBadHeader,
                         "La cabecera del archivo no es válida («" + printable(field) + "»)."};
    }
    if (auto e = readField(kRecordEnd.size())) return e;

    for (std::int64_t record = 1; record <= count; ++record) {
        auto badLength = [&] {
            return FileError{errors::kBadHeader, "La longitud de un campo de la ficha " +
                                                     std::to_string(record) + " no es válida."};
        };
        if (auto e = readField(kEntryLengthWidth)) return e;
        const std::int64_t entryLength = fieldValue(field);
        if (entryLength < 0) return badLength();
        std::string entry;
        if (auto e = in.read(static_cast<std::size_t>(entryLength), entry)) return e;
        if (auto e = readField(kTextLengthWidth)) return e;
        const std::int64_t textLength = fieldValue(field);
        if (textLength < 0) return badLength();
        std::string text;
        text.reserve(
            static_cast<std::size_t>(textLength));  // at most 99999: the field has 5 digits
        if (auto e = in.read(static_cast<std::size_t>(textLength), text)) return e;
        if (auto e = readField(kRecordEnd.size())) return e;

        if (entry.empty()) {
            store_.texts[store_.cards[main_].text].text = std::move(text);
            continue;
        }
        const std::int16_t c = store_.allocateCard();
        if (c == -1) {
            return FileError{errors::kTooManyCards,
                             "El archivo tiene más de " + std::to_string(kCapacity) + " fichas."};
        }
        // The text is settled before the card is linked, so a failure leaves
        // no half-made card in the list.
        std::int16_t sisterOf = -1, t = -1;
        if (text.starts_with(kSisterMark)) {
            std::string_view name = std::string_view(text).substr(kSisterMark.size());
            if (name == kMainCardName) name = "";
            // Only a card read before this one may hold the text.
            sisterOf = store_.findEntry(name);
            if (sisterOf == -1) {
                return FileError{errors::kUnknownSister, "La ficha «" + printable(entry) +
                                                             "» es hermana de «" + printable(name) +
                                                             "», que no está antes en el archivo."};
            }
        } else {
            t = store_.allocateText();
            if (t == -1) {
                return FileError{errors::kTooManyCards, "El archivo tiene más de " +
                                                            std::to_string(kCapacity) + " textos."};
            }
        }
        CardRecord& card = store_.cards[c];
        card.inUse = 1;
        card.main = false;
        card.entry = std::move(entry);
        store_.linkCard(c);
        if (sisterOf != -1) {
            store_.linkSister(c, store_.cards[sisterOf].text);
        } else {
            TextRecord& rec = store_.texts[t];
            rec.text = std::move(text);
            rec.references = 1;
            rec.firstCard = c;
            store_.linkText(t);
            card.text = t;
            card.nextSister = -1;
        }
    }
    changed_ = false;
    return std::nullopt;
}

std::optional<FileError> encodeCards(std::span<const CardToWrite> cards, std::string& out) {
    if (cards.empty()) {
        return FileError{errors::kUnstorable, "El cartulo no tiene ficha principal."};
    }
    std::size_t size = kHeaderWidth + kRecordEnd.size();
    for (const CardToWrite& card : cards) {
        size += kEntryLengthWidth + card.entry.size() + kTextLengthWidth + kRecordEnd.size() +
                std::min(card.text.size(), kMaxTextLength) + kSisterMark.size();
    }

    // What the reader will make of a sister reference: the last card written
    // so far whose entry equals the name. Files made elsewhere may hold
    // entries that differ only in letter case, so the card that holds a text
    // is not always the one its name leads back to.
    std::unordered_map<std::string, std::size_t> lastWritten;
    std::unordered_map<std::int32_t, std::vector<std::size_t>> writtenSisters;
    std::unordered_set<std::int32_t> textWritten;
    auto resolves = [&](std::string_view name) {
        auto it = lastWritten.find(name == kMainCardName ? std::string() : win1252::toUpper(name));
        return it == lastWritten.end() ? cards.size() : it->second;
    };

    out.clear();
    out.reserve(size);
    out += numberField(static_cast<std::int64_t>(cards.size()) - 1, kHeaderWidth);
    out += kRecordEnd;
    for (std::size_t c = 0; c < cards.size(); ++c) {
        const CardToWrite& card = cards[c];
        // Refused before anything reaches the disk: no file may be made that
        // cannot be read back.
        const auto refuse = [&card](const std::string& why) {
            return FileError{errors::kUnstorable, "La ficha «" + printable(card.entry) +
                                                      "» no se puede guardar: " + why};
        };
        if (auto why = cCartulo::CheckEntry(card.entry)) return refuse(*why);
        out += numberField(static_cast<std::int64_t>(card.entry.size()), kEntryLengthWidth);
        out += card.entry;

        std::size_t reference = cards.size();
        if (textWritten.contains(card.textId)) {
            for (std::size_t k : writtenSisters[card.textId]) {
                if (resolves(cards[k].entry) == k) {
                    reference = k;
                    break;
                }
            }
        }
        if (reference != cards.size()) {
            const std::string_view holder = cards[reference].entry;
            out += numberField(static_cast<std::int64_t>(kSisterMark.size() + holder.size()),
                               kTextLengthWidth);
            out += kSisterMark;
            out += holder;
        } else {
            // The first card of its text, or a sister no name can lead back to,
            // which then keeps the text as its own rather than lose it.
            if (card.text.size() > kMaxTextLength) return refuse(*cCartulo::CheckText(card.text));
            // The main card's record is read as text whatever it holds.
            if (!card.main && card.text.starts_with(kSisterMark)) {
                return refuse(*cCartulo::CheckText(card.text));
            }
            out += numberField(static_cast<std::int64_t>(card.text.size()), kTextLengthWidth);
            out += card.text;
            textWritten.insert(card.textId);
        }
        out += kRecordEnd;
        lastWritten[win1252::toUpper(card.entry)] = c;
        writtenSisters[card.textId].push_back(c);
    }
    return std::nullopt;
}

std::optional<FileError> cCartulo::encode(std::string& out) {
    std::vector<CardToWrite> cards;
    if (const CardId mainCard = SrchNtry(""); mainCard != kNoCard) {
        store_.moveToHead(mainCard);
        cards.reserve(static_cast<std::size_t>(CardCount()));
        for (std::int16_t c = store_.cardHead; c != -1; c = store_.cards[c].nextCard) {
            const CardRecord& card = store_.cards[c];
            cards.push_back({card.entry, store_.texts[card.text].text, card.text, card.main});
        }
    }
    return encodeCards(cards, out);
}

}  // namespace cartulo
