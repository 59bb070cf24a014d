#include "support/user_dialogs.h"

namespace cartulo::support {

MsgResult UserDialogs::MsgBoxPlus(const QString& text, const QString& detail, int flags,
                                  const QString& title, const QString& extra) {
    return ShowMessage({text, detail, flags, title, extra});
}

QString UserDialogs::InputBoxPlus(const QString& prompt, const QString& title,
                                  const QString& defaultText, const QString& detail,
                                  const QString& extra) {
    return AskText({prompt, title, defaultText, detail, extra}).value_or(QString());
}

}  // namespace cartulo::support
