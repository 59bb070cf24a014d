// The links a card text holds, read as the painter reads them, so that a
// list of links (backlinks, broken links) agrees with what a press raises.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace cartulo {

struct CardLink {
    std::string target;  // Windows-1252 bytes, exactly what a press on the link raises
    std::size_t position =
        0;  // byte offset in the card text of the link's first byte (the « or the '{' of {L:)
    std::size_t length = 0;  // bytes the link's markup spans in the text
    bool inBlock = false;    // inside a table cell or a frame (counts as a link, makes no hot zone)

    bool operator==(const CardLink&) const = default;
};

// The links a card text holds, in text order, read with the painter's markup
// reader (a « inside a comment or a {@:ca} expression is not a link).
std::vector<CardLink> ReadCardLinks(std::string_view text);

}  // namespace cartulo
