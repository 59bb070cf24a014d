#include "export/word_index.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "engine/win1252.h"

namespace cartulo::exporting {

namespace {

// Lower case without the accents of á é í ó ú ü ñ, as the script folds
// what is typed.
std::string fold(std::string_view utf8) {
    const auto decoded = win1252::fromUtf8(utf8);
    std::string out;
    for (const char c : decoded.text) {
        const char plain = win1252::foldAccents(c);
        out += win1252::toLower(plain);
    }
    return win1252::toUtf8(out);
}

}  // namespace

void WordIndex::Add(std::string_view file, std::string_view entry, std::string_view words) {
    const int page = static_cast<int>(pages_.size());
    pages_.emplace_back(file, entry);
    // Words are runs of ASCII letters and digits and of characters from
    // U+00C0 on, as the search script splits what is typed: ¿ ¡ « » and
    // the no-break space part words.
    std::size_t i = 0;
    std::size_t start = 0;
    auto flush = [&](std::size_t end) {
        if (end > start) {
            std::vector<int>& pages = words_[fold(words.substr(start, end - start))];
            if (pages.empty() || pages.back() != page) pages.push_back(page);
        }
    };
    while (i < words.size()) {
        char32_t c = 0;
        const std::size_t n = win1252::decodeUtf8(words, i, c);
        const bool inWord =
            n > 0 && (c >= 0xC0 || (c < 0x80 && std::isalnum(static_cast<unsigned char>(c))));
        if (!inWord) {
            flush(i);
            start = i + std::max<std::size_t>(n, 1);
        }
        i += std::max<std::size_t>(n, 1);
    }
    flush(words.size());
}

std::string JsString(std::string_view utf8) {
    std::string out = "\"";
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == '<' || c == '>' || c == '&') {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
            out += buffer;
        } else if (c == 0xE2 && utf8.substr(i, 2) == "\xE2\x80" && i + 2 < utf8.size() &&
                   (utf8[i + 2] == '\xA8' || utf8[i + 2] == '\xA9')) {
            // U+2028 and U+2029 end a line in older scripts.
            out += utf8[i + 2] == '\xA8' ? "\\u2028" : "\\u2029";
            i += 2;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string WordIndex::Script() const {
    std::string out = "var PALABRAS = {\"pages\": [";
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        out += i == 0 ? "\n[" : ",\n[";
        out += JsString(pages_[i].first) + ", " + JsString(pages_[i].second) + "]";
    }
    out += "],\n\"words\": {";
    bool first = true;
    for (const auto& [word, pages] : words_) {
        out += first ? "\n" : ",\n";
        first = false;
        out += JsString(word) + ": [";
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (i > 0) out += ',';
            out += std::to_string(pages[i]);
        }
        out += ']';
    }
    out += "}};\n";
    return out;
}

}  // namespace cartulo::exporting
