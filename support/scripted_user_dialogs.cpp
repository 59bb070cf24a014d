#include "support/scripted_user_dialogs.h"

#include <algorithm>

namespace cartulo::support {

MsgResult ScriptedUserDialogs::ShowMessage(const MessageRequest& request) {
    messages_.push_back(request);
    const MessageLayout layout = decodeMessageFlags(request.flags);
    if (layout.buttons.size() == 1) return layout.buttons.front();
    if (answers_.empty()) {
        ++unanswered_;
        return layout.cancelButton;
    }
    const MsgResult answer = answers_.front();
    answers_.pop_front();
    if (std::find(layout.buttons.begin(), layout.buttons.end(), answer) == layout.buttons.end()) {
        ++unanswered_;
        return layout.cancelButton;
    }
    return answer;
}

std::optional<QString> ScriptedUserDialogs::AskText(const InputRequest& request) {
    inputs_.push_back(request);
    if (texts_.empty()) {
        ++unanswered_;
        return std::nullopt;
    }
    const bool cancelled = !texts_.front().has_value();
    const QString text = cancelled ? QString() : *texts_.front();
    texts_.pop_front();
    if (cancelled) return std::nullopt;
    return text;
}

RecoveryAnswer ScriptedUserDialogs::AskRecovery(const RecoveryRequest& request) {
    recoveryRequests_.push_back(request);
    if (recoveries_.empty()) {
        ++unanswered_;
        return RecoveryAnswer::Later;
    }
    const RecoveryAnswer answer = recoveries_.front();
    recoveries_.pop_front();
    return answer;
}

}  // namespace cartulo::support
