#include "engine/cartulo.h"

namespace cartulo {

std::string cCartulo::GetFileTitle() const {
    const CardId mainCard = SrchNtry("");
    if (mainCard == kNoCard) return {};
    std::string title = GetTxt(mainCard);
    if (auto end = title.find("\r\n"); end != std::string::npos) title.resize(end);
    // Brace groups are markup; what remains is the title's plain text.
    std::size_t from = 0;
    while (true) {
        const std::size_t open = title.find('{', from);
        if (open == std::string::npos) break;
        const std::size_t close = title.find('}', open);
        if (close == std::string::npos) break;
        title.erase(open, close - open + 1);
        from = open;
    }
    return title;
}

}  // namespace cartulo
