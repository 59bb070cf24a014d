// The system clipboard as the engine sees it: plain text in Windows-1252.
// The desktop program plugs in the real clipboard; tests and the ctu tool
// use the in-memory one.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace cartulo {

class ClipboardText {
  public:
    virtual ~ClipboardText() = default;
    // The clipboard's plain text, or nullopt when it holds none.
    virtual std::optional<std::string> GetText() const = 0;
    // Clears the clipboard and puts the text on it.
    virtual void SetText(const std::string& text) = 0;
};

class MemoryClipboard : public ClipboardText {
  public:
    std::optional<std::string> GetText() const override { return text_; }
    void SetText(const std::string& text) override { text_ = text; }
    void Clear() { text_.reset(); }

  private:
    std::optional<std::string> text_;
};

// The clipboard the card operations use; an in-memory one until another is set.
ClipboardText& Clipboard();
void SetClipboard(std::shared_ptr<ClipboardText> clipboard);

}  // namespace cartulo
