#include "support/ini_file.h"

#include "engine/file_io.h"
#include "support/whole_file.h"

namespace cartulo::support {

namespace {

bool isComment(std::string_view line) {
    return line.starts_with(';');
}

bool isHeader(std::string_view line) {
    return line.starts_with('[');
}

bool hasLineEnd(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

// Text a line may hold and still be read back as it was: the reader splits
// lines at CR and LF, refuses a whole file holding a NUL, and reads a file
// that is not valid UTF-8 as Windows-1252, which would change every accent
// in it.
bool storableText(std::string_view text) {
    return !hasLineEnd(text) && text.find('\0') == std::string_view::npos && isValidUtf8(text);
}

// What could not be read back as written. Besides the text rules above: the
// reader takes the spaces off both ends of every line, so a key may not
// begin with one and a value may not end with one; a key with "=" or
// beginning like a comment or a header would never be found again, so each
// write would add another line. A section name may hold "]": a header is
// read up to its last "]".
bool storable(std::string_view section, std::string_view key, std::string_view value) {
    if (!storableText(section) || !storableText(key) || !storableText(value)) return false;
    if (key.starts_with(' ') || value.ends_with(' ')) return false;
    if (key.find('=') != std::string_view::npos) return false;
    return !isComment(key) && !isHeader(key);
}

}  // namespace

cIniFile::cIniFile() {
    CancelINI();
}

void cIniFile::CancelINI() {
    fileName_.clear();
    lines_.clear();
    sections_.assign(1, IniSection{{}, 0});
    changed_ = false;
    pending_.clear();
    lineEnd_ = LineEnd::CrLf;
    byteOrderMark_ = false;
}

bool cIniFile::CloseINI() {
    const bool failed = WriteINI();
    CancelINI();
    return failed;
}

std::optional<std::size_t> cIniFile::findSection(std::string_view section) const {
    const std::string wanted = upperCase(section);
    for (std::size_t i = 0; i + 1 < sections_.size(); ++i) {
        if (sections_[i].name == wanted) return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> cIniFile::findKey(std::size_t section, std::string_view upperKey) const {
    for (std::size_t i = sections_[section].headerLine + 1; i < sections_[section + 1].headerLine;
         ++i) {
        const std::string& line = lines_[i];
        if (isComment(line)) continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        if (upperCase(std::string_view(line).substr(0, eq)) == upperKey) return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> cIniFile::findLine(std::string_view section, int n) const {
    const auto s = findSection(section);
    if (!s || n < 1) return std::nullopt;
    int seen = 0;
    for (std::size_t i = sections_[*s].headerLine + 1; i < sections_[*s + 1].headerLine; ++i) {
        if (!isComment(lines_[i]) && ++seen == n) return i;
    }
    return std::nullopt;
}

std::string cIniFile::GetINIData(std::string_view section, std::string_view key) const {
    const auto s = findSection(section);
    if (!s) return {};
    const auto line = findKey(*s, upperCase(key));
    if (!line) return {};
    return lines_[*line].substr(lines_[*line].find('=') + 1);
}

void cIniFile::GetININfo(std::string& fileName, int& sectionCount, int& lineCount) const {
    fileName = fileName_;
    sectionCount = static_cast<int>(sections_.size() - 1);
    lineCount = static_cast<int>(lines_.size());
}

std::string cIniFile::GetLine(std::string_view section, int n) const {
    const auto line = findLine(section, n);
    return line ? lines_[*line] : std::string();
}

int cIniFile::GetNumLines(std::string_view section) const {
    const auto s = findSection(section);
    if (!s) return 0;
    int count = 0;
    for (std::size_t i = sections_[*s].headerLine + 1; i < sections_[*s + 1].headerLine; ++i) {
        if (!isComment(lines_[i])) ++count;
    }
    return count;
}

std::vector<std::pair<std::string, std::string>> cIniFile::GetSectionData(
    std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> out;
    const auto s = findSection(section);
    if (!s) return out;
    for (std::size_t i = sections_[*s].headerLine + 1; i < sections_[*s + 1].headerLine; ++i) {
        const std::string& line = lines_[i];
        const auto eq = line.find('=');
        if (isComment(line) || eq == std::string::npos) continue;
        out.emplace_back(upperCase(std::string_view(line).substr(0, eq)), line.substr(eq + 1));
    }
    return out;
}

void cIniFile::addLine(std::string_view rawLine) {
    const std::string_view trimmed = trimSpaces(rawLine);
    if (trimmed.empty()) return;
    if (!isHeader(trimmed)) {
        lines_.emplace_back(trimmed);
        return;
    }
    std::string header = upperCase(trimmed);
    if (!header.ends_with(']')) header += ']';
    sections_.push_back({header.substr(1, header.size() - 2), lines_.size()});
    lines_.push_back(std::move(header));
}

std::optional<FileError> cIniFile::read(const std::string& fileName) {
    WholeFile file = readWholeFile(fileName, kMaxFileBytes);
    if (file.error) return std::move(file.error);
    if (file.bytes.find('\0') != std::string::npos) {
        return FileError{errors::kAccessError, "No es un archivo de texto."};
    }
    const DecodedText text = decodeSettingsText(file.bytes);
    const SplitLines split = splitLines(text.utf8);
    sections_.clear();
    for (const std::string_view line : split.lines) addLine(line);
    sections_.push_back({{}, lines_.size()});
    lineEnd_ = split.firstEnd;
    byteOrderMark_ = text.hadByteOrderMark;
    fileName_ = fileName;
    return std::nullopt;
}

bool cIniFile::OpenINI(const std::string& fileName) {
    if (!fileName_.empty()) CloseINI();
    CancelINI();
    lastError_ = read(fileName);
    if (!lastError_) return false;
    CancelINI();
    return true;
}

void cIniFile::PutINIData(std::string_view section, std::string_view key, std::string_view value) {
    if (!storable(section, key, value)) return;
    if (!putValue(section, key, value)) return;
    pending_.push_back({std::string(section), std::string(key), std::string(value)});
    changed_ = true;
}

bool cIniFile::putValue(std::string_view section, std::string_view key, std::string_view value) {
    const auto s = findSection(section);
    if (!s) {
        // Appended: the sentinel's entry becomes the new section, and a new sentinel follows.
        sections_.back() = {upperCase(section), lines_.size()};
        lines_.push_back("[" + upperCase(section) + "]");
        lines_.push_back(std::string(key) + "=" + std::string(value));
        sections_.push_back({{}, lines_.size()});
        return true;
    }
    if (const auto line = findKey(*s, upperCase(key))) {
        std::string& text = lines_[*line];
        const std::size_t valueStart = text.find('=') + 1;
        if (std::string_view(text).substr(valueStart) == value) return false;
        text.replace(valueStart, std::string::npos, value);
        return true;
    }
    const std::size_t at = sections_[*s + 1].headerLine;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                  std::string(key) + "=" + std::string(value));
    for (std::size_t i = *s + 1; i < sections_.size(); ++i) ++sections_[i].headerLine;
    return true;
}

bool cIniFile::WriteINIData(std::string_view section, std::string_view key,
                            std::string_view value) {
    lastError_.reset();
    if (!storable(section, key, value)) {
        lastError_ = FileError{errors::kUnstorable,
                               "El valor no se puede guardar en el archivo de configuración."};
        return true;
    }
    cIniFile before = *this;
    // Queued even when the copy in memory already holds the value: the file
    // may have been changed by hand since it was read.
    putValue(section, key, value);
    pending_.push_back({std::string(section), std::string(key), std::string(value)});
    changed_ = true;
    if (!WriteINI()) return false;
    std::optional<FileError> error = std::move(lastError_);
    *this = std::move(before);
    lastError_ = std::move(error);
    return true;
}

void cIniFile::PutLine(std::string_view section, int n, std::string_view text) {
    if (!storableText(text)) return;
    if (const auto line = findLine(section, n)) lines_[*line] = std::string(text);
}

std::string cIniFile::Text() const {
    const std::string_view end = lineEndText(lineEnd_);
    std::string out;
    if (byteOrderMark_) out += "\xEF\xBB\xBF";
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i > 0 && isHeader(lines_[i])) out += end;
        out += lines_[i];
        out += end;
    }
    out += end;
    return out;
}

bool cIniFile::WriteINI() {
    if (!changed_) return false;
    lastError_.reset();
    if (fileName_.empty()) {
        // Nothing was read (or the read failed): writing would replace a
        // file whose content we never saw.
        lastError_ =
            FileError{errors::kBadFileName, "No hay ningún archivo de configuración abierto."};
        return true;
    }
    cIniFile current;
    current.lineEnd_ = lineEnd_;
    if (auto error = current.read(fileName_)) {
        // Deleted by hand meanwhile: written anew. Anything else that cannot
        // be read is never written over.
        if (error->code != errors::kFileNotFound) {
            lastError_ = std::move(error);
            return true;
        }
        current.CancelINI();
        current.lineEnd_ = lineEnd_;
        current.fileName_ = fileName_;
    }
    bool differs = false;
    for (const auto& setting : pending_) {
        differs = current.putValue(setting.section, setting.key, setting.value) || differs;
    }
    if (differs) {
        if (auto error = writeFileAtomically(fileName_, current.Text())) {
            lastError_ = std::move(error);
            return true;
        }
    }
    lines_ = std::move(current.lines_);
    sections_ = std::move(current.sections_);
    lineEnd_ = current.lineEnd_;
    byteOrderMark_ = current.byteOrderMark_;
    pending_.clear();
    changed_ = false;
    return false;
}

}  // namespace cartulo::support
