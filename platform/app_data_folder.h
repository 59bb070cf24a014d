// The per-user folders of the XDG rules: where programs keep their settings
// ($XDG_CONFIG_HOME, by default ~/.config) and their state
// ($XDG_STATE_HOME, by default ~/.local/state).
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

// XDG_STATE_HOME, else HOME + "/.local/state", by the same rules.
std::string StateFolderFor(const char* xdgStateHome, const char* home, std::string_view fallback);
std::string StateFolder();

}  // namespace cartulo::platform
