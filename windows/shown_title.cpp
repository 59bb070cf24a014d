#include "windows/shown_title.h"

#include "platform/text_codec.h"

namespace cartulo::windows {

QString ShownTitle(std::string_view title) {
    // One byte is one character in the file's encoding: only the part shown is decoded.
    if (title.size() <= static_cast<std::size_t>(kShownTitleLength)) {
        return platform::toQString(title);
    }
    std::string_view cut = title.substr(0, kShownTitleLength);
    // At a word's end when one falls in the second half.
    const std::size_t space = cut.find_last_of(' ');
    if (space != std::string_view::npos && space >= cut.size() / 2) cut = cut.substr(0, space);
    return platform::toQString(cut) + QChar(0x2026);
}

}  // namespace cartulo::windows
