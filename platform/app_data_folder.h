// The per-user folder where programs keep their settings, by the XDG rules:
// $XDG_CONFIG_HOME, by default ~/.config.
#pragma once

#include <string>
#include <string_view>

namespace cartulo::platform {

// XDG_CONFIG_HOME when it is an absolute path; else HOME + "/.config" when
// HOME is an absolute path; else `fallback` when it is absolute; else "/".
// Relative values are ignored (the XDG rules call them invalid), so the
// answer never depends on the working folder: it is always absolute.
std::string AppDataFolderFor(const char* xdgConfigHome, const char* home,
                             std::string_view fallback);

// The same from this process's environment. The fallback is the ".config"
// folder in the home the user database gives.
std::string AppDataFolder();

}  // namespace cartulo::platform
