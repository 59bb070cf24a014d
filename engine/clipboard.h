// The system clipboard as the engine sees it: plain text in Windows-1252.
// The desktop program plugs in the real clipboard; tests and the ctu tool
// use the in-memory one.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace cartulo {

struct ClipboardContent {
    std::string text;  // Windows-1252
    // Characters the code page cannot hold were on the clipboard; each one
    // stands as "?" in the text.
    bool incomplete = false;
};

class ClipboardText {
  public:
    virtual ~ClipboardText() = default;
    // The clipboard's plain text, or nullopt when it holds none.
    virtual std::optional<ClipboardContent> GetText() const = 0;
    // Clears the clipboard and puts the text on it.
    virtual void SetText(const std::string& text) = 0;
};

class MemoryClipboard : public ClipboardText {
  public:
    std::optional<ClipboardContent> GetText() const override { return content_; }
    void SetText(const std::string& text) override { content_ = ClipboardContent{text}; }
    void SetContent(ClipboardContent content) { content_ = std::move(content); }
    void Clear() { content_.reset(); }

  private:
    std::optional<ClipboardContent> content_;
};

// The clipboard the card operations use; an in-memory one until another is set.
ClipboardText& Clipboard();
void SetClipboard(std::shared_ptr<ClipboardText> clipboard);

}  // namespace cartulo
