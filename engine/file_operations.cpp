// NewFile, OpenFile, SaveFile and CloseFile.
#include <string>

#include "engine/cartulo.h"
#include "engine/file_io.h"
#include "engine/win1252.h"

namespace cartulo {

void cCartulo::resetStore() {
    store_.reset();
    main_ = kNoCard;
}

bool cCartulo::NewFile(std::string_view title) {
    resetStore();
    path_.clear();
    // A title the format cannot hold would make the file unreadable.
    if (title.empty() || CheckText(title, true)) title = kDefaultTitle;
    const CardId c = NewCard("");
    store_.texts[store_.cards[c].text].text = std::string(title);
    changed_ = false;
    raise([](CartuloListener& l) { l.onNewFile(); });
    return true;
}

bool cCartulo::OpenFile(const std::string& path) {
    lastError_ = {};
    std::optional<FileError> error = readFileInto(path);
    if (!error) {
        path_ = path;
        const std::string title = GetFileTitle();
        if (!title.empty()) tag_ = win1252::toUpper(title);
        return true;
    }
    if (debug_) throw CartuloError(*error);
    NewFile("");
    lastError_ = std::move(*error);
    return false;
}

bool cCartulo::SaveFile(const std::string& path, bool copy) {
    lastError_ = {};
    if (!changed_ && !copy) return true;
    const std::string target = path.empty() ? path_ : path;
    std::string bytes;
    std::optional<FileError> error = encode(bytes);
    if (!error) error = writeFileAtomically(target, bytes);
    if (error) {
        if (debug_) throw CartuloError(*error);
        lastError_ = std::move(*error);
        return false;
    }
    if (!copy) {
        path_ = target;
        changed_ = false;
    }
    return true;
}

bool cCartulo::OpenFileAs(const std::string& path, const std::string& name) {
    if (!OpenFile(path)) return false;
    path_ = name;
    changed_ = true;
    return true;
}

void cCartulo::CloseFile() {
    if (path_.empty()) return;
    for (CardId c = store_.cardHead; c != -1; c = store_.cards[c].nextCard) {
        raise([c](CartuloListener& l) { l.onCloseCard(c); });
        store_.texts[store_.cards[c].text].text.clear();
        // Through the index, so look-ups by listeners see what the list holds.
        store_.setEntry(c, "");
    }
    resetStore();
    resetSearchOptions();
    raise([](CartuloListener& l) { l.onCloseFile(); });
    path_.clear();
}

}  // namespace cartulo
