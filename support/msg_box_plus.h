// mMsgBoxPlus: shows one message box over its owner, with the sound of its icon.
#pragma once

#include "support/message_flags.h"
#include "support/user_dialogs.h"

class QWidget;

namespace cartulo::support::mMsgBoxPlus {

MsgResult MsgBoxPlus(const MessageRequest& request, QWidget* owner, double scale);

}  // namespace cartulo::support::mMsgBoxPlus
