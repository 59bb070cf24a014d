#include "richtext/text_continuation.h"

#include <array>

#include "richtext/block_scan.h"
#include "richtext/markup_chars.h"
#include "richtext/tag_params.h"

namespace cartulo::richtext {

namespace {

constexpr std::string_view kTableStart = "{TB:";
constexpr std::string_view kTableEnd = "{\\}";

// The first two characters inside the tags that CutAt carries over.
constexpr std::array<std::string_view, 19> kCarried{
    "C}", "C:", "F}", "F:", "J}", "J:", "MI", "MD", "MP", "MU",
    "N}", "N:", "Q}", "Q:", "T}", "T:", "U}", "U:", "W:",
};

bool isCarried(std::string_view start) {
    for (std::string_view carried : kCarried) {
        if (EqualsNoCase(start, carried)) return true;
    }
    return false;
}

}  // namespace

std::string NormalizeTables(std::string_view text, std::vector<std::size_t>* inserted) {
    std::string out;
    out.reserve(text.size());
    // Both tags start with a brace: the text between braces is copied whole.
    std::size_t copied = 0;
    for (std::size_t i = text.find('{'); i != std::string_view::npos; i = text.find('{', i + 1)) {
        const std::string_view rest = text.substr(i);
        if (StartsWithNoCase(rest, kTableStart) && i >= 2) {
            out.append(text.substr(copied, i - copied));
            copied = i;
            // Asked of the text built so far: the CR LF put after a table that
            // ends right before this one already stands there.
            if (!out.ends_with("\r\n")) {
                if (inserted) inserted->push_back(out.size());
                out += "\r\n";
            }
        }
        if (rest.starts_with(kTableEnd)) {
            const std::size_t end = i + kTableEnd.size();
            out.append(text.substr(copied, end - copied));
            copied = end;
            if (!IsCrLfAt(text, end)) {
                if (inserted) inserted->push_back(out.size());
                out += "\r\n";
            }
            i = end - 1;
        }
    }
    out.append(text.substr(copied));
    return out;
}

std::string CutAt(std::string_view text, std::size_t position) {
    if (position <= 1) return std::string(text);
    const std::size_t stop = position - 1;  // 0-based
    std::string prefix;
    std::size_t i = 0;
    while (i < stop && i < text.size()) {
        if (text[i] == '{') {
            const std::optional<std::size_t> close = FindCloseBrace(text, i);
            if (!close) {
                ++i;
                continue;
            }
            const std::string_view start = text.substr(i + 1, 2);
            if (StartsWithNoCase(start, "TB")) {
                const std::size_t end = text.find(kTableEnd, i);
                if (end == std::string_view::npos) return prefix;
                i = end + kTableEnd.size();
                continue;
            }
            if (start.size() == 2 && isCarried(start)) prefix += text.substr(i, *close + 1 - i);
            i = *close + 1;
        } else if (text[i] == '\r') {
            i += 2;
        } else {
            ++i;
        }
    }
    if (i < text.size()) prefix += text.substr(i);
    return prefix;
}

}  // namespace cartulo::richtext
