// User dialogs for tests: answers are queued in advance and every question
// is recorded. A box with a single button needs no queued answer and takes
// none. A question with no fitting answer queued gets its cancelling button
// (an input box: cancelled) and is counted in Unanswered(), so a test can
// tell a flow asked more than it expected.
#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "support/user_dialogs.h"

namespace cartulo::support {

class ScriptedUserDialogs : public UserDialogs {
  public:
    void QueueAnswer(MsgResult answer) { answers_.push_back(answer); }
    void QueueText(const QString& text) { texts_.push_back(text); }
    void QueueCancel() { texts_.push_back(std::nullopt); }
    void QueueRecovery(RecoveryAnswer answer) { recoveries_.push_back(answer); }

    MsgResult ShowMessage(const MessageRequest& request) override;
    std::optional<QString> AskText(const InputRequest& request) override;
    // Unanswered: "Más tarde", which loses nothing.
    RecoveryAnswer AskRecovery(const RecoveryRequest& request) override;

    const std::vector<MessageRequest>& Messages() const { return messages_; }
    const std::vector<InputRequest>& Inputs() const { return inputs_; }
    const std::vector<RecoveryRequest>& Recoveries() const { return recoveryRequests_; }
    int Unanswered() const { return unanswered_; }
    bool AllAnswersUsed() const {
        return answers_.empty() && texts_.empty() && recoveries_.empty();
    }

  private:
    std::deque<MsgResult> answers_;
    std::deque<std::optional<QString>> texts_;
    std::vector<MessageRequest> messages_;
    std::vector<InputRequest> inputs_;
    std::deque<RecoveryAnswer> recoveries_;
    std::vector<RecoveryRequest> recoveryRequests_;
    int unanswered_ = 0;
};

}  // namespace cartulo::support
