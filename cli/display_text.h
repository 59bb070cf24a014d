// Bytes that come from the system rather than from a card file (paths,
// arguments, the system's error messages) made fit for output, which is
// always UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace ctu {

// The bytes as UTF-8: valid UTF-8 stays as it is, and each byte that is not
// part of a valid sequence becomes U+FFFD. Converting twice changes nothing.
std::string displayText(std::string_view platformBytes);

}  // namespace ctu
