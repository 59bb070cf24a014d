// The system sounds of the message boxes. Only a beep stands in for them; a
// desktop without sound stays silent, which is never an error.
#pragma once

#include <string_view>

namespace cartulo::support {

void PlaySystemSound(std::string_view name);

}  // namespace cartulo::support
