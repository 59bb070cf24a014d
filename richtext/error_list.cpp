#include "richtext/error_list.h"

#include <algorithm>

#include "engine/win1252.h"

namespace cartulo::richtext {

void ErrorList::Add(std::string_view message) {
    if (tap_) tap_->emplace_back(message);
    const bool known = std::any_of(messages_.begin(), messages_.end(), [&](const std::string& m) {
        return win1252::equalsIgnoringCase(m, message);
    });
    if (known) return;
    if (messages_.size() < kMaxErrors) {
        messages_.emplace_back(message);
    } else {
        messages_.back() = std::string(message::kTooManyErrors);
    }
}

const std::string& ErrorList::At(std::size_t i) const {
    static const std::string kNone;
    return i < messages_.size() ? messages_[i] : kNone;
}

}  // namespace cartulo::richtext
