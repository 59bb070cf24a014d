// Plain file reading and writing with no card-file logic: the baselines the
// engine's open and save are measured against.
#pragma once

#include <string>
#include <string_view>

namespace cartulo::bench {

std::string ReadWholeFile(const std::string& path);

// Writes the bytes to `temporary`, flushes them to the disk and renames the
// file over `target`, as a save that cannot lose the previous file does.
void WriteAndReplace(const std::string& temporary, const std::string& target,
                     std::string_view bytes);

}  // namespace cartulo::bench
