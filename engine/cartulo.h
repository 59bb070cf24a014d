// cCartulo: one open card file held entirely in memory, with its card
// operations, file operations and events. All strings are Windows-1252 bytes,
// except paths (the platform's own bytes) and error descriptions (UTF-8).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "card_store.h"
#include "file_error.h"
#include "listeners.h"
#include "query.h"
#include "word_finder.h"

namespace cartulo {

// What a window implements to follow one card file. Events are raised
// synchronously inside the operation that causes them.
class CartuloListener {
  public:
    virtual ~CartuloListener() = default;
    virtual void onCloseCard(CardId) {}
    virtual void onCloseFile() {}
    virtual void onNewCard(CardId, bool /*alias*/) {}
    virtual void onNewFile() {}
    virtual void onUpdateCardNtry(CardId) {}
    virtual void onUpdateCardTxt(CardId) {}
};

// Results of NewCard, NewAlias and PasteCard.
inline constexpr CardId kEntryInUse = -1;
inline constexpr CardId kNoRoom = -2;
inline constexpr CardId kNothingToPaste = -3;
inline constexpr CardId kUnstorableEntry = -4;  // the file format cannot hold the entry
// NewAlias: the source card does not exist (deleted, or never made).
inline constexpr CardId kNoSourceCard = -5;

// Results of ValidateNtry (and SetNtry).
enum class EntryCheck : int {
    Ok = 0,
    InUse = 1,  // another card has it (or it is the main card's reserved name)
    MainMustBeEmpty = 2,
    Unstorable = 3,  // longer than the file format can hold
};

// What the card-file format can hold.
inline constexpr std::size_t kMaxEntryLength = 99;
inline constexpr std::size_t kMaxTextLength = 99999;
inline constexpr std::string_view kMainCardName = " <Ficha principal>";
inline constexpr std::string_view kMasterCardName = "Ficha maestra";
inline constexpr std::string_view kDefaultTitle = "NUEVO CARTULO";

struct CardListItem {
    std::string text;  // the entry, or " <Ficha principal>" for the main card
    CardId card;
};

struct ClipCardContent {
    std::string entry;
    std::string text;
};

struct FileInfo {
    std::string fileName;
    std::string tag;
    std::int16_t cards = 0;
    std::int16_t sisters = 0;  // cards that share the text of a card met before
    std::int32_t size = 0;     // estimated size of the file in bytes
    float capacity = 0;        // percentage of the 5000 cards in use
};

struct HyperText {
    std::string link;
    bool bracketed = false;  // it was enclosed in guillemets
};

class cCartulo {
  public:
    cCartulo();
    cCartulo(const cCartulo&) = delete;
    cCartulo& operator=(const cCartulo&) = delete;

    Subscription Subscribe(CartuloListener& listener) { return listeners_.subscribe(listener); }

    // --- file operations ---
    bool NewFile(std::string_view title);
    bool OpenFile(const std::string& path);
    // Writes atomically: a temporary file beside the target renamed over it.
    bool SaveFile(const std::string& path = "", bool copy = false);
    // The bytes SaveFile would write, written nowhere.
    std::optional<FileError> EncodeFile(std::string& out) { return encode(out); }
    // Reads `path` but takes `name` as the file's own name ("" for a file
    // never saved) and marks it changed: a copy brought back in place of the
    // file it was made of.
    bool OpenFileAs(const std::string& path, const std::string& name);
    void CloseFile();
    const FileError& LastError() const { return lastError_; }

    bool DebugFlag() const { return debug_; }
    void SetDebugFlag(bool on) { debug_ = on; }

    // --- card operations ---
    CardId NewCard(std::string_view entry);
    CardId NewAlias(CardId source, std::string_view entry);
    int DelCard(CardId card);  // 0 deleted, -1 refused
    bool IsAlias(CardId a, CardId b) const;
    CardId SrchNtry(std::string_view entry) const;
    EntryCheck ValidateNtry(CardId card, std::string_view entry) const;
    std::string GetNtry(CardId card) const;
    // The same without a copy, for walking every card: valid until the card's
    // entry changes or the file is closed.
    std::string_view EntryView(CardId card) const;
    // Applies the entry only when ValidateNtry accepts it; returns its verdict.
    EntryCheck SetNtry(CardId card, std::string_view entry);
    std::string GetTxt(CardId card) const;
    // Refuses (returns false, changes nothing) a text the format cannot hold:
    // over 99999 characters, or beginning with "@@" but for the main card's.
    bool SetTxt(CardId card, std::string_view text);
    std::string GetTxtFromNtry(std::string_view entry) const;
    CardId GetMain() const;  // -1 before NewFile or OpenFile
    std::string GetMasterTxt() const;
    std::vector<CardListItem> GetCrdList(bool showAll) const;
    bool GetChanged() const { return changed_; }
    void SetChanged() { changed_ = true; }

    // Cards sharing the card's text, the card included, in sister-list order.
    std::vector<CardId> GetSisters(CardId card) const;
    int CardCount() const;
    // Walks the card list: the first card, then the one after a card; -1 ends.
    CardId FirstCard() const { return store_.cardHead; }
    CardId NextCard(CardId card) const;

    // --- searching ---
    // The first card in card-list order matching the query, or -1. The
    // parsed query is kept and reused while the same query is asked again.
    // Terms holding an `unmatchable` place (see MarkedQuery) are never found.
    CardId FindFirst(std::string_view query, std::span<const std::size_t> unmatchable = {});
    CardId FindFirst(const MarkedQuery& query) { return FindFirst(query.text, query.unmatchable); }
    // The next matching card after the given one, for the last query.
    CardId FindNext(CardId card);
    // 1-based position of the first whole-word occurrence at or after start, or 0.
    std::int32_t FindWord(std::string_view text, std::string_view word, std::int32_t start) const;
    // The mode of the last parsed query (see query.h).
    int QueryMode() const { return query_.mode; }

    // --- text helpers (no state) ---
    static std::string GetField(std::string_view text, std::string_view name);
    static std::string SetField(std::string_view text, std::string_view name,
                                std::string_view value);
    static HyperText GetHT(std::string_view text, std::int32_t position);

    // Why the file format cannot hold this entry or text; nullopt when it can.
    // Descriptions are Spanish, UTF-8.
    static std::optional<std::string> CheckEntry(std::string_view entry);
    // The main card's text may begin with "@@"; pass mainCard for it.
    static std::optional<std::string> CheckText(std::string_view text, bool mainCard = false);

    // --- the card clipboard ---
    static int ClipboardFormat();  // 1 when the clipboard holds a card
    void CopyCard(CardId card) const;
    static ClipCardContent GetClipCard();
    // The card a clipboard text holds, for a caller that has read the text already.
    static std::optional<ClipCardContent> ClipCardOf(std::string_view clip);
    // New card from the clipboard: its id, kEntryInUse, kNoRoom, kNothingToPaste,
    // or kUnstorableEntry when the file could not store the entry or the text.
    CardId PasteCard();

    // --- file information ---
    FileInfo GetFileInfo();
    std::string GetBasePath() const;
    std::string GetFileName() const { return path_; }
    std::string GetFileTitle() const;
    std::string GetTag() const { return tag_; }
    void SetTag(std::string_view tag) { tag_ = tag; }
    bool IsOpenFile() const { return !path_.empty(); }
    static std::string Version() { return "7.0.90224"; }

    // --- diagnostics ---
    // The first inconsistency of the lists, or nullopt.
    std::optional<std::string> CheckHeaps();
    // Checks the lists and, on failure, hands the message to the fatal handler
    // (by default: print it and end the program).
    void Debug_CheckHeaps();
    static void SetFatalHandler(std::function<void(const std::string&)> handler);

  private:
    void resetSearchOptions();
    void resetStore();
    std::optional<FileError> readFileInto(const std::string& path);
    std::optional<FileError> encode(std::string& out);

    template <typename F>
    void raise(F&& f) {
        listeners_.raise(std::forward<F>(f));
    }

    CardStore store_;
    std::string path_;
    std::string tag_;
    bool changed_ = false;
    bool debug_ = false;
    CardId main_ = kNoCard;
    FileError lastError_;

    // Search options; the query language uses them.
    bool matchCase_ = false;
    bool wholeWords_ = true;
    std::string separators_;
    std::array<bool, 256> isSeparator_{};

    // The last query, parsed; it survives CloseFile.
    std::string cachedQuery_;
    std::vector<std::size_t> cachedUnmatchable_;
    ParsedQuery query_;
    enum class TermSource { Text, Entry, Field };
    struct PreparedTerm {
        WordFinder finder;  // folds letter case unless matching case
        TermSource source = TermSource::Text;
        std::string field;
        bool absent = false;
        bool unmatchable = false;
    };
    std::vector<PreparedTerm> prepared_;
    void prepareQuery();
    bool matches(CardId card) const;
    WordFinder finderFor(std::string_view word) const;

    ListenerList<CartuloListener> listeners_;
};

}  // namespace cartulo
