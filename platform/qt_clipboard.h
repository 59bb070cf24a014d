// The system clipboard through Qt, as the card operations use it.
#pragma once

#include "engine/clipboard.h"

namespace cartulo::platform {

class QtClipboard : public ClipboardText {
  public:
    std::optional<ClipboardContent> GetText() const override;
    void SetText(const std::string& text) override;
};

}  // namespace cartulo::platform
