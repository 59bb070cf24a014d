// Path helpers. Paths are the platform's bytes (UTF-8 on Linux) and are
// never converted; the separator is "/".
#pragma once

#include <string>
#include <string_view>

namespace cartulo::paths {

// first + "/" + second, without doubling a "/" the first part already ends with.
std::string JoinPath(std::string_view first, std::string_view second);
// Everything after the last "/"; the whole path when it has none.
std::string FileNamePart(std::string_view path);
// Everything before the last "/"; "" when there is none.
std::string DirectoryPart(std::string_view path);
// Everything after the last "." that follows the last "/"; "" when none.
std::string Extension(std::string_view path);
// An absolute path ("/...") comes back unchanged. Otherwise `path` is walked
// from `base` one "/"-separated component at a time, as text, without
// touching the file system: ".." goes to the parent folder (never above
// "/"), "." and empty components do nothing, any other component is
// appended after a "/". `base` is an absolute folder; a trailing "/" on it
// is ignored, so a base of "/" never gives "//".
std::string ResolvePath(std::string_view path, std::string_view base);
// The name with each \ / : * ? " < > | replaced by "_".
std::string ValidFileName(std::string_view name);
bool DirectoryExists(const std::string& path);
bool FileExists(const std::string& path);
// 0 when the folder exists or was made (parents first); otherwise the
// system's error number of the first creation that failed.
int MakeDirectories(const std::string& path);

}  // namespace cartulo::paths
