#include "support/qt_user_dialogs.h"

#include <QApplication>

#include "support/input_box_plus.h"
#include "support/msg_box_plus.h"

namespace cartulo::support {

QWidget* QtUserDialogs::owner() const {
    return owner_ ? owner_.data() : QApplication::activeWindow();
}

MsgResult QtUserDialogs::ShowMessage(const MessageRequest& request) {
    return mMsgBoxPlus::MsgBoxPlus(request, owner(), scale_);
}

std::optional<QString> QtUserDialogs::AskText(const InputRequest& request) {
    return mInputBoxPlus::InputBoxPlus(request, owner(), scale_);
}

}  // namespace cartulo::support
