// A card's text as Markdown for other note-taking programs: links as
// [[wiki links]], bold, italic and underline as Markdown has them, every
// other character that Markdown would read as markup escaped, and what
// Markdown cannot hold (colours, fonts, alignment, drawings...) kept as the
// original markup in an HTML comment.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "richtext/card_links.h"

namespace cartulo::exporting {

class MarkdownHost {
  public:
    virtual ~MarkdownHost() = default;
    // The file stem (UTF-8, no extension) of the card a link leads to;
    // nothing when no card has the target (Windows-1252).
    virtual std::optional<std::string> LinkStem(std::string_view target) = 0;
    // As for HTML: the picture's copy, or nothing.
    virtual std::optional<std::string> PictureSrc(std::string_view name) = 0;
};

// `links` are the card's own, as ReadCardLinks reads them.
std::string CardToMarkdown(std::string_view text, const std::vector<CardLink>& links,
                           MarkdownHost& host);

// The YAML front matter of a card: its entry and its sisters' entries
// (Windows-1252), quoted.
std::string FrontMatter(std::string_view entry, const std::vector<std::string>& aliases);

// Text (Windows-1252) as Markdown that reads back as that very text.
std::string EscapeMarkdown(std::string_view cp1252);

}  // namespace cartulo::exporting
