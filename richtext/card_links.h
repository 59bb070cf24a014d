// Temporary stand-in until the real link reader lands.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace cartulo {

struct CardLink {
    std::string target;
    std::size_t position = 0;
    std::size_t length = 0;
    bool inBlock = false;
};

inline std::vector<CardLink> ReadCardLinks(std::string_view text) {
    std::vector<CardLink> links;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\xAB') {
            const std::size_t end = text.find('\xBB', i + 1);
            if (end == std::string_view::npos) break;
            links.push_back({std::string(text.substr(i + 1, end - i - 1)), i, end - i + 1, false});
            i = end;
        } else if (text.substr(i, 3) == "{L:") {
            const std::size_t end = text.find('}', i);
            if (end == std::string_view::npos) break;
            std::string_view inside = text.substr(i + 3, end - i - 3);
            links.push_back({std::string(inside.substr(0, inside.find(','))), i, end - i + 1, false});
            i = end;
        }
    }
    return links;
}

}  // namespace cartulo
