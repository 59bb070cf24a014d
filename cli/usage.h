// The help text, printed on a usage error and by "ctu --help".
#pragma once

#include <string_view>

namespace ctu {

std::string_view usageText();

}  // namespace ctu
