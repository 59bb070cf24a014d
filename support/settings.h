// The program's settings: where the file lives, the options read from it at
// start (the high-DPI switch, printing turned off and the list of files to
// open) and writing the options back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "support/ini_file.h"

namespace cartulo::support {

// The settings folder for the given environment values: "Vardane/Cartulo" in
// the per-user application-data folder (platform::AppDataFolderFor: an
// absolute XDG_CONFIG_HOME, else an absolute HOME + "/.config", else the
// fallback when absolute, else "/").
std::string SettingsFolderFor(const char* xdgConfigHome, const char* home,
                              std::string_view fallback);
// The same, from this process's environment.
std::string SettingsFolder();
// The settings file in a settings folder.
std::string SettingsFileIn(std::string_view folder);
std::string SettingsFile();
// Creates the file's folder with its missing parents, and an empty file when
// there is none; 0 or the system's error number.
int EnsureSettingsFile(const std::string& path);

class ProgramSettings {
  public:
    static constexpr float kHighDpiScale = 1.25f;

    explicit ProgramSettings(std::string filePath = SettingsFile());

    // Once at start: ensures the file, reads it, and sets the high-DPI flag
    // and the display scale from "HighDPI" in "GENERAL", and whether
    // printing is turned off from "NoPrinting".
    void ReadOptions();
    // Writes the high-DPI flag when it differs from what the file held (the
    // rest of the file as it is now); true on failure, which
    // leaves the file's store as it was (Ini().LastError() says why), so
    // that no later write saves it unasked.
    bool WriteOptions();
    // Sets the flag and writes it at once; on failure (true) the flag goes
    // back to what it was, as the store does.
    bool SaveHighDPI(bool on);
    // Writes pending changes and lets the file go; true on failure.
    bool Close() { return ini_.CloseINI(); }

    // Turns printing off or on and writes it at once when it changes (a file
    // without the key gains it only once printing is turned off); it takes
    // effect now. On failure (true) the option keeps the value it had.
    bool SaveNoPrinting(bool on);
    bool NoPrinting() const { return noPrinting_; }
    // Whether card windows colour their markup ("ColorearMarcas", on unless
    // the file says 0); written at once on a change only, as above.
    bool SaveColorearMarcas(bool on);
    bool ColorearMarcas() const { return colorMarkup_; }

    // Spelling on or off, and the dictionary's name ("es_ES" unless the
    // file says otherwise); each key is written at once, and only when it
    // changes. On failure (true) both keep the values they had.
    bool SaveSpelling(bool on, const std::string& dictionary);
    bool SpellCheck() const { return spellCheck_; }
    const std::string& Dictionary() const { return dictionary_; }

    bool HighDPI() const { return highDpi_; }
    // Changes the flag only; the scale follows at the next start.
    void SetHighDPI(bool on) { highDpi_ = on; }
    float DisplayScale() const { return scale_; }
    // The values of "AUTOLOAD" keys 1, 2, ... up to the first missing or empty one.
    std::vector<std::string> AutoLoadList() const;

    const std::string& FilePath() const { return filePath_; }
    cIniFile& Ini() { return ini_; }
    const cIniFile& Ini() const { return ini_; }

  private:
    bool storedHighDpi() const;

    std::string filePath_;
    cIniFile ini_;
    bool highDpi_ = false;
    bool noPrinting_ = false;
    bool spellCheck_ = true;
    std::string dictionary_ = "es_ES";
    bool colorMarkup_ = true;
    float scale_ = 1.0f;
};

}  // namespace cartulo::support
