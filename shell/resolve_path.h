// Resolving a path given relative to a folder (a command-line argument
// against the working folder, an "AUTOLOAD" entry against the settings
// folder), without touching the file system.
#pragma once

#include <QString>

namespace cartulo::shell {

// An absolute path ("/...") comes back unchanged. Otherwise `path` is walked
// from `base` one "/"-separated component at a time: ".." goes to the
// parent folder (never above "/"), "." and empty components do nothing, any
// other component is appended after a "/". `base` is an absolute folder; a
// trailing "/" on it is ignored, so a base of "/" never gives "//".
QString ResolvePath(const QString& path, const QString& base);

}  // namespace cartulo::shell
