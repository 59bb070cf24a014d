#include "support/input_box_plus.h"

#include "support/frm_input_box_plus.h"

namespace cartulo::support::mInputBoxPlus {

std::optional<QString> InputBoxPlus(const InputRequest& request, QWidget* owner, double scale) {
    frmInputBoxPlus box(request, owner, scale);
    return box.Run();
}

}  // namespace cartulo::support::mInputBoxPlus
