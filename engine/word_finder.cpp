#include "engine/word_finder.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace cartulo {

namespace {

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

WordFinder::WordFinder(std::string word, const unsigned char* fold)
    : word_(std::move(word)), border_(word_.size(), 0), fold_(fold) {
    const std::size_t m = word_.size();
    if (m == 0) return;
    for (std::size_t k = 1, length = 0; k < m; ++k) {
        while (length > 0 && word_[k] != word_[length]) length = border_[length - 1];
        if (word_[k] == word_[length]) ++length;
        border_[k] = length;
    }
    const auto first = static_cast<unsigned char>(word_[0]);
    int found = 0;
    for (int b = 0; b < 256 && found < 3; ++b) {
        if (fold_[b] == first) {
            if (found < 2) starts_[found] = static_cast<unsigned char>(b);
            ++found;
        }
    }
    if (found == 1) starts_[1] = starts_[0];
    fewStarts_ = found <= 2;
}

std::size_t WordFinder::find(std::string_view text, std::size_t from,
                             const std::array<bool, 256>* separators) const {
    const std::size_t n = text.size(), m = word_.size();
    if (m == 0 || m > n || from > n - m) return std::string_view::npos;
    const auto* t = reinterpret_cast<const unsigned char*>(text.data());
    const auto* w = reinterpret_cast<const unsigned char*>(word_.data());
    const std::size_t last = n - m + 1;  // a match starts before this
    std::size_t matched = 0;             // bytes of the word that end just before i
    for (std::size_t i = from; i < n; ++i) {
        if (matched == 0) {
            // Nothing under way: skip to a byte a match may begin with.
            if (fewStarts_) {
                i = findEitherByte(t, i, last, starts_[0], starts_[1]);
            } else {
                while (i < last && fold_[t[i]] != w[0]) ++i;
            }
            if (i >= last) break;
            matched = 1;
        } else {
            const unsigned char c = fold_[t[i]];
            while (matched > 0 && c != w[matched]) matched = border_[matched - 1];
            if (c == w[matched]) ++matched;
        }
        if (matched < m) continue;
        const std::size_t at = i + 1 - m;
        if (separators == nullptr ||
            ((at == 0 || (*separators)[t[at - 1]]) && (i + 1 == n || (*separators)[t[i + 1]]))) {
            return at;
        }
        matched = border_[m - 1];
    }
    return std::string_view::npos;
}

}  // namespace cartulo
