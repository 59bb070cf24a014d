// The card clipboard reader on arbitrary text: anything that is not a card
// is refused without a change; a card pasted keeps its entry and text.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/cartulo.h"
#include "engine/clipboard.h"

namespace {

void Require(bool ok) {
    if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto clipboard = [] {
        auto c = std::make_shared<cartulo::MemoryClipboard>();
        cartulo::SetClipboard(c);
        return c;
    }();
    clipboard->SetText(std::string(reinterpret_cast<const char*>(data), size));

    cartulo::cCartulo file;
    file.NewFile("Destino");
    const bool isCard = cartulo::cCartulo::ClipboardFormat() == 1;
    const cartulo::ClipCardContent content = cartulo::cCartulo::GetClipCard();
    if (!isCard) Require(content.entry.empty() && content.text.empty());

    const cartulo::CardId pasted = file.PasteCard();
    if (!isCard) Require(pasted == cartulo::kNothingToPaste);
    if (pasted > 0) {
        Require(file.GetNtry(pasted) == content.entry);
        Require(file.GetTxt(pasted) == content.text);
        Require(file.CardCount() == 2);
        // Copying it back gives a card text that reads the same.
        file.CopyCard(pasted);
        const cartulo::ClipCardContent again = cartulo::cCartulo::GetClipCard();
        Require(again.entry == content.entry && again.text == content.text);
    } else {
        Require(file.CardCount() == 1);
    }
    Require(!file.CheckHeaps());
    return 0;
}
