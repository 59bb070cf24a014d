// The user dialogs as real modal windows, scaled by the display scale and
// centred over the owner (or over the active window when there is none).
#pragma once

#include <QPointer>
#include <QWidget>

#include "support/user_dialogs.h"

namespace cartulo::support {

class QtUserDialogs : public UserDialogs {
  public:
    explicit QtUserDialogs(QWidget* owner = nullptr, double scale = 1.0)
        : owner_(owner), scale_(scale) {}

    void SetOwner(QWidget* owner) { owner_ = owner; }
    void SetScale(double scale) { scale_ = scale; }

    MsgResult ShowMessage(const MessageRequest& request) override;
    std::optional<QString> AskText(const InputRequest& request) override;
    // In a build made with the tests, the environment variable
    // CARTULO_PRUEBA_RECUPERACION ("recuperar", "descartar" or "despues"),
    // set by tests of the whole program, answers without a box.
    RecoveryAnswer AskRecovery(const RecoveryRequest& request) override;

  private:
    QWidget* owner() const;

    QPointer<QWidget> owner_;  // forgotten when that window goes away
    double scale_;
};

}  // namespace cartulo::support
