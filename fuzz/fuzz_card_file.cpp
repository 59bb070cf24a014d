// The card-file reader on arbitrary bytes. Whatever it makes of them, the
// store must stay consistent; and a file it loaded must save, and read back
// with the same cards, texts and sisters.
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/cartulo.h"
#include "engine/win1252.h"

namespace {

using cartulo::CardId;
using cartulo::cCartulo;

void Require(bool ok) {
    if (!ok) __builtin_trap();
}

// The input reaches the reader as a real file, kept in memory.
class InputFile {
  public:
    InputFile() : fd_(memfd_create("card_file", 0)) {
        Require(fd_ >= 0);
        path_ = "/proc/self/fd/" + std::to_string(fd_);
    }
    ~InputFile() { close(fd_); }

    const std::string& Hold(const std::uint8_t* data, std::size_t size) {
        Require(ftruncate(fd_, 0) == 0);
        Require(pwrite(fd_, data, size, 0) == static_cast<ssize_t>(size));
        return path_;
    }

  private:
    int fd_;
    std::string path_;
};

// Where saved copies go: a real folder, since a save renames a temporary
// file; in memory when possible, where flushing a save to disk costs nothing.
class ScratchFolder {
  public:
    ScratchFolder() {
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                               ? "/dev/shm"
                                               : std::filesystem::temp_directory_path();
        std::string pattern = (base / "fuzz-ctu-XXXXXX").string();
        Require(mkdtemp(pattern.data()) != nullptr);
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string File(const char* name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

struct Card {
    std::string entry;
    std::string text;
    std::vector<std::string> sisters;  // entries, sorted
    auto operator<=>(const Card&) const = default;
};

// Every card in list order, checked against what the store says of it. The
// walk is bounded: a corrupt list could loop.
std::vector<Card> Walk(const cCartulo& ctu) {
    std::vector<Card> cards;
    for (CardId c = ctu.FirstCard(); c != cartulo::kNoCard; c = ctu.NextCard(c)) {
        Require(cards.size() < cartulo::kCapacity);  // a longer list must loop
        Card card{ctu.GetNtry(c), ctu.GetTxt(c), {}};
        const std::vector<CardId> sisters = ctu.GetSisters(c);
        Require(std::find(sisters.begin(), sisters.end(), c) != sisters.end());
        for (CardId s : sisters) {
            Require(ctu.IsAlias(c, s));
            Require(ctu.GetTxt(s) == card.text);
            card.sisters.push_back(ctu.GetNtry(s));
        }
        std::sort(card.sisters.begin(), card.sisters.end());
        cards.push_back(std::move(card));
    }
    Require(static_cast<int>(cards.size()) == ctu.CardCount());

    const CardId main = ctu.GetMain();
    Require(main != cartulo::kNoCard && ctu.GetNtry(main).empty());
    Require(std::count_if(cards.begin(), cards.end(),
                          [](const Card& card) { return card.entry.empty(); }) == 1);
    return cards;
}

// A sister reference names an entry, so sisters can only be told apart in a
// copy when no two cards answer to one entry (the main card answers to its
// name too). Entries and texts must come back whatever the entries are.
bool EntriesAreDistinct(const std::vector<Card>& cards) {
    std::set<std::string> seen{cartulo::win1252::toUpper(cartulo::kMainCardName)};
    for (const Card& card : cards) {
        if (!seen.insert(cartulo::win1252::toUpper(card.entry)).second) return false;
    }
    return true;
}

std::vector<std::pair<std::string, std::string>> EntriesAndTexts(const std::vector<Card>& cards) {
    std::vector<std::pair<std::string, std::string>> pairs;
    for (const Card& card : cards) pairs.emplace_back(card.entry, card.text);
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

// What the writer must accept. The main card's record is read as text
// whatever it holds, so its text (and its sisters') may begin with "@@".
bool Storable(const cCartulo& ctu) {
    const CardId main = ctu.GetMain();
    for (CardId c = ctu.FirstCard(); c != cartulo::kNoCard; c = ctu.NextCard(c)) {
        const std::string text = ctu.GetTxt(c);
        if (c != main && cCartulo::CheckEntry(ctu.GetNtry(c))) return false;
        if (ctu.IsAlias(c, main) ? text.size() > cartulo::kMaxTextLength
                                 : cCartulo::CheckText(text).has_value()) {
            return false;
        }
    }
    return true;
}

void CheckRoundTrip(cCartulo& ctu, const std::vector<Card>& cards, const std::string& copy) {
    ctu.SetChanged();
    const bool storable = Storable(ctu);
    const bool saved = ctu.SaveFile(copy);
    if (!storable) {
        Require(!saved);  // refused before writing a file that would read back wrong
        return;
    }
    Require(saved && !ctu.GetChanged());

    cCartulo again;
    Require(again.OpenFile(copy));
    Require(!again.CheckHeaps());
    std::vector<Card> reread = Walk(again);
    Require(EntriesAndTexts(reread) == EntriesAndTexts(cards));
    if (!EntriesAreDistinct(cards)) return;
    std::vector<Card> expected = cards;
    std::sort(expected.begin(), expected.end());
    std::sort(reread.begin(), reread.end());
    Require(reread == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static InputFile input;
    static ScratchFolder scratch;

    cCartulo ctu;
    const bool opened = ctu.OpenFile(input.Hold(data, size));
    Require(!ctu.CheckHeaps());
    const std::vector<Card> cards = Walk(ctu);
    (void)ctu.GetFileTitle();

    if (!opened) {
        // A failed open leaves an empty new file and says why.
        Require(ctu.LastError().code != 0 && !ctu.IsOpenFile());
        Require(cards.size() == 1 && cards.front().text == cartulo::kDefaultTitle);
        return 0;
    }
    Require(!ctu.GetChanged());
    CheckRoundTrip(ctu, cards, scratch.File("copia.ctu"));
    return 0;
}
