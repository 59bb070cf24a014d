// FindFirst, FindNext and FindWord over the cards of one file.
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "engine/cartulo.h"
#include "engine/text_fields.h"
#include "engine/win1252.h"

namespace cartulo {

namespace {

unsigned char byte(char c) {
    return static_cast<unsigned char>(c);
}

const unsigned char* identityTable() {
    static const auto table = [] {
        std::array<unsigned char, 256> t{};
        for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
        return t;
    }();
    return table.data();
}

// The first position in [from, end) holding byte a or b, or end. Sixteen
// bytes at a time where the processor allows: searching is a scan of every
// card's text, so this loop is where a search spends its time.
std::size_t findEitherByte(const unsigned char* t, std::size_t from, std::size_t end,
                           unsigned char a, unsigned char b) {
    std::size_t i = from;
#ifdef __SSE2__
    const __m128i va = _mm_set1_epi8(static_cast<char>(a));
    const __m128i vb = _mm_set1_epi8(static_cast<char>(b));
    for (; i + 16 <= end; i += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i));
        const int mask =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(x, va), _mm_cmpeq_epi8(x, vb)));
        if (mask != 0)
            return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
    }
#endif
    for (; i < end; ++i) {
        if (t[i] == a || t[i] == b) return i;
    }
    return end;
}

}  // namespace

void cCartulo::resetSearchOptions() {
    matchCase_ = false;
    wholeWords_ = true;
    separators_ = "\t\r\n ,.;:\"\xBF?\xA1!()-";
    isSeparator_.fill(false);
    for (char c : separators_) isSeparator_[byte(c)] = true;
}

void cCartulo::prepareQuery() {
    prepared_.clear();
    for (const QueryTerm& term : query_.terms) {
        PreparedTerm p;
        p.word = matchCase_ ? term.word : win1252::toUpper(term.word);
        if ((query_.mode & 0xFF) == kModeText || term.field.empty()) {
            p.source = TermSource::Text;
        } else if (win1252::equalsIgnoringCase(term.field, "ntry")) {
            p.source = TermSource::Entry;
        } else {
            p.source = TermSource::Field;
            p.field = term.field;
        }
        p.absent = term.op == TermOperator::Absent;
        prepared_.push_back(std::move(p));
    }
}

std::size_t cCartulo::findWordAt(std::string_view text, std::string_view word,
                                 std::size_t from) const {
    const std::size_t n = text.size(), m = word.size();
    if (m == 0 || m > n) return std::string_view::npos;
    const unsigned char* fold = matchCase_ ? identityTable() : win1252::upperTable();
    const unsigned char first = byte(word[0]);
    // The bytes a match may begin with: the letter in either case.
    unsigned char starts[2] = {first, first};
    int found = 0;
    for (int b = 0; b < 256 && found < 3; ++b) {
        if (fold[b] == first) {
            if (found < 2) starts[found] = static_cast<unsigned char>(b);
            ++found;
        }
    }
    const unsigned char* t = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t last = n - m + 1;  // candidates start before this
    for (std::size_t i = from; i < last; ++i) {
        if (found <= 2) {
            i = findEitherByte(t, i, last, starts[0], starts[1]);
            if (i == last) break;
        } else if (fold[t[i]] != first) {
            continue;
        }
        std::size_t k = 1;
        while (k < m && fold[t[i + k]] == byte(word[k])) ++k;
        if (k < m) continue;
        if (!wholeWords_) return i;
        const bool startOk = i == 0 || isSeparator_[t[i - 1]];
        const bool endOk = i + m == n || isSeparator_[t[i + m]];
        if (startOk && endOk) return i;
    }
    return std::string_view::npos;
}

std::int32_t cCartulo::FindWord(std::string_view text, std::string_view word,
                                std::int32_t start) const {
    const std::string folded = matchCase_ ? std::string(word) : win1252::toUpper(word);
    const std::size_t from = start > 1 ? static_cast<std::size_t>(start - 1) : 0;
    const std::size_t at = findWordAt(text, folded, from);
    return at == std::string_view::npos ? 0 : static_cast<std::int32_t>(at + 1);
}

bool cCartulo::matches(CardId card) const {
    const int low = query_.mode & 0xFF;
    if (low == kModeAll) return true;
    if (low != kModeText && low != kModeFields) return false;
    // Only empty terms: like the empty query, whatever the form.
    if (prepared_.empty()) return true;
    const bool anyTerm = (query_.mode & kAnyTerm) != 0;
    const CardRecord& rec = store_.cards[card];
    const std::string_view text = store_.texts[rec.text].text;
    for (const PreparedTerm& term : prepared_) {
        std::string_view searched = text;
        if (term.source == TermSource::Entry) {
            searched = rec.entry;
        } else if (term.source == TermSource::Field) {
            searched = fieldValueIn(text, term.field);
        }
        const bool found = findWordAt(searched, term.word, 0) != std::string_view::npos;
        const bool holds = found != term.absent;
        if (anyTerm && holds) return true;
        if (!anyTerm && !holds) return false;
    }
    return !anyTerm;
}

CardId cCartulo::FindFirst(std::string_view query) {
    // Every parse, valid or not, replaces the cached query, so the cache
    // always describes the mode and terms in force.
    if (query != cachedQuery_) {
        query_ = ParseQuery(query);
        cachedQuery_ = std::string(query);
        prepareQuery();
    }
    const CardId head = store_.cardHead;
    if (head == kNoCard) return kNoCard;
    return matches(head) ? head : FindNext(head);
}

CardId cCartulo::FindNext(CardId card) {
    // A card no longer in the list has no place in its order.
    if (!CardStore::valid(card) || store_.cards[card].inUse == 0) return kNoCard;
    for (CardId c = store_.cards[card].nextCard; c != kNoCard; c = store_.cards[c].nextCard) {
        if (matches(c)) return c;
    }
    return kNoCard;
}

}  // namespace cartulo
