#include "support/msg_box_plus.h"

#include "platform/system_sound.h"
#include "support/frm_msg_box_plus.h"

namespace cartulo::support::mMsgBoxPlus {

MsgResult MsgBoxPlus(const MessageRequest& request, QWidget* owner, double scale) {
    frmMsgBoxPlus box(request, owner, scale);
    platform::PlaySystemSound(systemSoundName(box.Layout().icon));
    return box.Run();
}

}  // namespace cartulo::support::mMsgBoxPlus
