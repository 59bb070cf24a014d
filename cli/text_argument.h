// The text an edit stores, given with --text or --text-file.
#pragma once

#include <istream>
#include <optional>
#include <string>

#include "cli/command_line.h"

namespace ctu {

// The text of --text or --text-file ("-" reads `in`), ready for a card:
// Windows-1252 with CR LF line ends; nullopt when neither option was used.
// Throws Failure(ExitCode::FileError) when the file cannot be read, and
// Failure(ExitCode::Refused) for a character a card cannot hold or for
// input longer than any card text, which is not read to its end.
std::optional<std::string> cardTextArgument(const CommandLine& line, std::istream& in);

}  // namespace ctu
