#include "engine/global_query.h"

#include <algorithm>
#include <string_view>

namespace cartulo {

namespace {

bool isMarked(const MarkedQuery& query, std::size_t at) {
    return std::find(query.unmatchable.begin(), query.unmatchable.end(), at) !=
           query.unmatchable.end();
}

bool isPlainWord(const MarkedQuery& query) {
    for (std::size_t i = 0; i < query.text.size(); ++i) {
        const char c = query.text[i];
        if ((c == ',' || c == ':') && !isMarked(query, i)) return false;
    }
    return true;
}

}  // namespace

MarkedQuery GlobalQuery(const MarkedQuery& typed) {
    if (!isPlainWord(typed)) return typed;
    constexpr std::string_view kHead = "S:2,";
    constexpr std::string_view kEntry = ",ntry:";
    MarkedQuery out;
    out.text.reserve(kHead.size() + kEntry.size() + 2 * typed.text.size());
    out.text.append(kHead).append(typed.text).append(kEntry).append(typed.text);
    const std::size_t second = kHead.size() + typed.text.size() + kEntry.size();
    for (std::size_t at : typed.unmatchable) {
        if (at >= typed.text.size()) continue;
        out.unmatchable.push_back(kHead.size() + at);
        out.unmatchable.push_back(second + at);
    }
    return out;
}

}  // namespace cartulo
