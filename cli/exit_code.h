// Exit codes of ctu and the failure that carries one out of a command.
#pragma once

#include <stdexcept>
#include <string>

namespace ctu {

enum class ExitCode : int {
    Ok = 0,
    Usage = 1,      // the command line is wrong
    FileError = 2,  // a file cannot be read or written
    NotFound = 3,   // no card has the entry
    Refused = 4,    // the edit would break a rule of the card file
    Unclean = 5,    // lint --strict found a broken link or a markup error
};

// Thrown by a command to end with a message on stderr and a non-zero code.
class Failure : public std::runtime_error {
  public:
    Failure(ExitCode code, const std::string& message) : std::runtime_error(message), code(code) {}
    ExitCode code;
};

}  // namespace ctu
