// mInputBoxPlus: asks the user for one line of text.
#pragma once

#include <optional>

#include "support/user_dialogs.h"

class QWidget;

namespace cartulo::support::mInputBoxPlus {

// The text entered, or nothing when the box was cancelled.
std::optional<QString> InputBoxPlus(const InputRequest& request, QWidget* owner, double scale);

}  // namespace cartulo::support::mInputBoxPlus
