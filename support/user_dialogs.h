// The one way the program asks and tells the user: a message box with Spanish
// buttons, and an input box. The Qt implementation shows the real dialogs;
// the scripted one answers from a queue and records what was asked, so flows
// that ask questions are testable without a person.
#pragma once

#include <QString>
#include <optional>

#include "support/message_flags.h"

namespace cartulo::support {

struct MessageRequest {
    QString text;
    QString detail;  // shown smaller under the text; may be empty
    int flags = msg::kOkOnly;
    QString title;
    QString extra;  // passed through to the window, unused by it
};

struct InputRequest {
    QString prompt;
    QString title;
    QString defaultText;
    QString detail;
    QString extra;  // passed through to the window, unused by it
};

// The question about a recovery copy left behind: its own box, since no
// button set of the message box has these answers.
struct RecoveryRequest {
    QString title;
    QString text;
    QString detail;
};

enum class RecoveryAnswer { Recover, Discard, Later };

class UserDialogs {
  public:
    virtual ~UserDialogs() = default;

    virtual MsgResult ShowMessage(const MessageRequest& request) = 0;
    // The text entered, or nothing when the box was cancelled.
    virtual std::optional<QString> AskText(const InputRequest& request) = 0;
    // "Recuperar", "Descartar" or "Más tarde" (also Escape and closing the box).
    virtual RecoveryAnswer AskRecovery(const RecoveryRequest& request) = 0;

    MsgResult MsgBoxPlus(const QString& text, const QString& detail = {}, int flags = msg::kOkOnly,
                         const QString& title = {}, const QString& extra = {});
    // "" when cancelled, exactly as for an empty answer.
    QString InputBoxPlus(const QString& prompt, const QString& title = {},
                         const QString& defaultText = {}, const QString& detail = {},
                         const QString& extra = {});
};

}  // namespace cartulo::support
