// The words of a card's prose that spelling checks, read with the markup
// reader: not tags and their values, comments, link targets, objects,
// numbers or words in capitals. A word split by a tag ("pa{N}labra") is one
// word in several parts.
#pragma once

#include <QString>
#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

namespace cartulo::windows {

struct ProseWord {
    QString text;
    // The word's characters as spans [begin, end) of the card text.
    std::vector<std::pair<std::size_t, std::size_t>> parts;
};

// The words of `text` (Windows-1252, CR LF line ends) that have a part in
// [from, to). The markup is read from the start, so a comment or link that
// opened earlier is known.
std::vector<ProseWord> ProseWords(std::string_view text, std::size_t from, std::size_t to);

}  // namespace cartulo::windows
