// cIniFile: a small store of one INI file held in memory as its non-blank
// lines, with sections, ";" comments and key=value lines. Keys and section
// names compare upper-cased; values are returned as written, untrimmed.
// Strings are UTF-8. The user may edit the file while the program runs, so
// a write reads the file again and changes only the keys set since the last
// read or write. The result flags keep the store's old sense: OpenINI,
// WriteINI and CloseINI return true when they FAILED.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/file_error.h"
#include "support/settings_text.h"

namespace cartulo::support {

struct IniSection {
    std::string name;        // upper case, without the brackets
    std::size_t headerLine;  // index in Lines() of its header; the sentinel's is the line count
};

class cIniFile {
  public:
    // Settings files are a few hundred bytes; a larger file is refused, unread and never rewritten.
    static constexpr std::size_t kMaxFileBytes = std::size_t{1} << 20;

    cIniFile();

    // Forgets the file without writing it.
    void CancelINI();
    // Writes pending changes, then forgets the file; true when the write failed.
    bool CloseINI();
    std::string GetINIData(std::string_view section, std::string_view key) const;
    void GetININfo(std::string& fileName, int& sectionCount, int& lineCount) const;
    // The n-th (from 1) line of the section that is not a comment, or "".
    std::string GetLine(std::string_view section, int n) const;
    int GetNumLines(std::string_view section) const;
    // Reads the file, first closing (and so writing) any open one; true on failure,
    // which leaves the store empty and the file untouched.
    bool OpenINI(const std::string& fileName);
    // Sets or adds key=value; the same value as before changes nothing. What
    // could not be read back as written is ignored: a CR, LF or NUL
    // anywhere, text that is not valid UTF-8, a key beginning with a space,
    // ";" or "[", or holding "=", a value ending with a space.
    void PutINIData(std::string_view section, std::string_view key, std::string_view value);
    // PutINIData, then WriteINI at once; true on failure, when the store goes
    // back to what it was (LastError() says why), so that a later write or
    // close does not save the value behind the caller's back. A value
    // PutINIData would ignore is a failure too.
    bool WriteINIData(std::string_view section, std::string_view key, std::string_view value);
    // Every key=value line of the section in order, keys upper-cased: one
    // pass for callers that walk a long section.
    std::vector<std::pair<std::string, std::string>> GetSectionData(std::string_view section) const;
    // Replaces the n-th non-comment line of the section, without marking a
    // change; a CR, LF or NUL, or text that is not valid UTF-8, is ignored.
    void PutLine(std::string_view section, int n, std::string_view text);
    // When something was set: reads the file again (a file gone since is
    // taken as empty), sets on it what was set here, in the same order,
    // writes it if that changed it, and holds it from then on; true on
    // failure, when neither the file nor the store change.
    bool WriteINI();

    bool Changed() const { return changed_; }
    const std::string& FileName() const { return fileName_; }
    const std::vector<std::string>& Lines() const { return lines_; }
    // Every section in file order, then the sentinel that closes the last one.
    const std::vector<IniSection>& Sections() const { return sections_; }
    // Why the last OpenINI or WriteINI failed.
    const std::optional<FileError>& LastError() const { return lastError_; }
    // The bytes WriteINI writes.
    std::string Text() const;

  private:
    std::optional<std::size_t> findSection(std::string_view section) const;
    std::optional<std::size_t> findKey(std::size_t section, std::string_view upperKey) const;
    std::optional<std::size_t> findLine(std::string_view section, int n) const;
    void addLine(std::string_view rawLine);
    std::optional<FileError> read(const std::string& fileName);
    bool putValue(std::string_view section, std::string_view key, std::string_view value);

    struct Setting {
        std::string section, key, value;
    };

    std::string fileName_;
    std::vector<std::string> lines_;
    std::vector<IniSection> sections_;
    bool changed_ = false;
    std::vector<Setting> pending_;  // set since the file was last read or written
    LineEnd lineEnd_ = LineEnd::CrLf;
    bool byteOrderMark_ = false;
    std::optional<FileError> lastError_;
};

}  // namespace cartulo::support
