// The whole ctu tool as a function, so that main() stays thin.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace ctu {

// Runs the command in `args` (without the program name) and returns the
// exit code. Results go to `out`; messages and usage text to `err`.
int runCtu(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err);

}  // namespace ctu
