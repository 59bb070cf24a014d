#include "shell/counting_user_dialogs.h"

namespace cartulo::shell {

namespace {

class OpenBox {
  public:
    explicit OpenBox(int& open) : open_(open) { ++open_; }
    ~OpenBox() { --open_; }
    OpenBox(const OpenBox&) = delete;
    OpenBox& operator=(const OpenBox&) = delete;

  private:
    int& open_;
};

}  // namespace

support::MsgResult CountingUserDialogs::ShowMessage(const support::MessageRequest& request) {
    OpenBox box(open_);
    return inner_.ShowMessage(request);
}

std::optional<QString> CountingUserDialogs::AskText(const support::InputRequest& request) {
    OpenBox box(open_);
    return inner_.AskText(request);
}

support::RecoveryAnswer CountingUserDialogs::AskRecovery(const support::RecoveryRequest& request) {
    OpenBox box(open_);
    return inner_.AskRecovery(request);
}

}  // namespace cartulo::shell
