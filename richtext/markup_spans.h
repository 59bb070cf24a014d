// What each stretch of a card text is to the markup reader, for an editor
// that colours the markup: tag braces, names and values, comments, links
// and the faults layout would report. Spans come in text order; only a
// link overlaps others (the tags inside it). Text outside them is plain.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cartulo::richtext {

enum class SpanKind {
    Brace,    // the braces of a tag and "{}"
    Name,     // a tag's name with its colon
    Value,    // a tag's value, or an object's body
    Comment,  // {*...*}
    Link,     // «...» or {L:...}
    Error,    // what layout reports: unclosed braces, unknown tags, stray quotes
};

struct MarkupSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
    SpanKind kind = SpanKind::Brace;
    // Link: the card it names (Windows-1252). Error: the reader's message.
    std::string detail;
};

// The spans of `text` (CR LF line ends), read as layout reads it from the start.
std::vector<MarkupSpan> ReadMarkupSpans(std::string_view text);

// The spans of a part of `text` that holds [from, to): read from a line
// start before `from` to one after `to` that no tag, comment, link or block
// crosses, which gives there what a read of the whole text gives. A long
// text is then read only where it is shown.
struct MarkupSpansPart {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::vector<MarkupSpan> spans;  // offsets in the whole text
};
MarkupSpansPart ReadMarkupSpansAround(std::string_view text, std::size_t from, std::size_t to);
// The same, or nothing when that part is longer than `most` bytes: an edit
// that changes the markup far away is then better read another way.
std::optional<MarkupSpansPart> ReadMarkupSpansAround(std::string_view text, std::size_t from,
                                                     std::size_t to, std::size_t most);

}  // namespace cartulo::richtext
