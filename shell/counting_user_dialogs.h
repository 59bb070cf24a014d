// The user dialogs every window of the program is given, counting the boxes
// that are open right now: while one is up its event loop runs, and the
// autosave and the commands of other programs wait until it is closed.
#pragma once

#include "support/user_dialogs.h"

namespace cartulo::shell {

class CountingUserDialogs : public support::UserDialogs {
  public:
    explicit CountingUserDialogs(support::UserDialogs& inner) : inner_(inner) {}

    support::MsgResult ShowMessage(const support::MessageRequest& request) override;
    std::optional<QString> AskText(const support::InputRequest& request) override;
    support::RecoveryAnswer AskRecovery(const support::RecoveryRequest& request) override;

    // Boxes open now (nested ones each count).
    int Abiertos() const { return open_; }

  private:
    support::UserDialogs& inner_;
    int open_ = 0;
};

}  // namespace cartulo::shell
