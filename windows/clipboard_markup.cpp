#include "windows/clipboard_markup.h"

#include "engine/clipboard.h"

namespace cartulo::windows {

namespace {

std::string escapedEntry(std::string_view entry) {
    std::string result;
    result.reserve(entry.size());
    for (const char c : entry) {
        if (c == '{') {
            result += "{@:la}";
        } else if (c == '}') {
            result += "{@:lc}";
        } else {
            result += c;
        }
    }
    return result;
}

std::string withCrLf(std::string text) {
    if (text.find('\n') == std::string::npos) return text;
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) result += '\r';
        result += text[i];
    }
    return result;
}

}  // namespace

std::string MarkupDeFicha(const ClipCardContent& card) {
    return "{mu:1}{t:11}{n}" + escapedEntry(card.entry) + "{n}{t}\r\n{w:12}\r\n{w:15}{mu:6}" +
           card.text;
}

std::optional<std::string> MarkupDelPortapapeles() {
    std::optional<ClipboardContent> clip = Clipboard().GetText();
    if (!clip) return std::nullopt;
    // The text is read once: a card is decoded from it, not from a second read.
    if (std::optional<ClipCardContent> card = cCartulo::ClipCardOf(clip->text)) {
        return MarkupDeFicha(*card);
    }
    return withCrLf(std::move(clip->text));
}

}  // namespace cartulo::windows
