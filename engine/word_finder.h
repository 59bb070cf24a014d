// Finding one word in card texts, letter case folded through a table,
// optionally as a whole word. Linear in the text whatever the word: each
// byte of the text is compared a bounded number of times (Knuth-Morris-Pratt),
// so a long word of repeated letters costs no more than a short one.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace cartulo {

class WordFinder {
  public:
    // `word` is already folded through `fold`, a table of 256 bytes that
    // must outlive the finder.
    WordFinder(std::string word, const unsigned char* fold);

    // The first occurrence starting at or after `from`; with `separators`,
    // only one with a separator (or the text's edge) on both sides. npos when
    // there is none, and always for the empty word.
    std::size_t find(std::string_view text, std::size_t from,
                     const std::array<bool, 256>* separators) const;

  private:
    std::string word_;
    // border_[k]: the length of the longest proper prefix of the word's first
    // k + 1 bytes that is also a suffix of them.
    std::vector<std::size_t> border_;
    const unsigned char* fold_;
    // The bytes a match may begin with, when there are at most two (the
    // letter in either case), so they can be scanned for quickly.
    unsigned char starts_[2] = {0, 0};
    bool fewStarts_ = false;
};

}  // namespace cartulo
