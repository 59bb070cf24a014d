#include "support/msg_box_plus.h"

#include "support/frm_msg_box_plus.h"
#include "support/system_sound.h"

namespace cartulo::support::mMsgBoxPlus {

MsgResult MsgBoxPlus(const MessageRequest& request, QWidget* owner, double scale) {
    frmMsgBoxPlus box(request, owner, scale);
    PlaySystemSound(systemSoundName(box.Layout().icon));
    return box.Run();
}

}  // namespace cartulo::support::mMsgBoxPlus
