// The integrity check of the card and text lists: a diagnostic that no
// operation calls; a failure ends the program.
#include <cstdio>
#include <cstdlib>

#include "engine/cartulo.h"

namespace cartulo {

namespace {

std::function<void(const std::string&)>& fatalHandler() {
    static std::function<void(const std::string&)> handler = [](const std::string& message) {
        std::fprintf(stderr, "Debug_CheckHeaps: %s\n", message.c_str());
        std::exit(EXIT_FAILURE);
    };
    return handler;
}

}  // namespace

void cCartulo::SetFatalHandler(std::function<void(const std::string&)> handler) {
    fatalHandler() = std::move(handler);
}

std::optional<std::string> cCartulo::CheckHeaps() {
    auto& cards = store_.cards;
    auto& texts = store_.texts;
    auto clearMarks = [&](bool clearTexts) {
        for (int i = 1; i <= kCapacity; ++i) {
            cards[i].mark = false;
            if (clearTexts) texts[i].mark = 0;
        }
    };
    // Marks each record of a list; false when a record is met that is marked
    // already (a loop, or a record on two lists). Indices outside the table
    // count as a broken list too.
    auto walk = [](std::int16_t head, auto next, auto isMarked, auto mark) {
        for (std::int16_t i = head; i != -1; i = next(i)) {
            if (!CardStore::valid(i) || isMarked(i)) return false;
            mark(i);
        }
        return true;
    };
    auto cardNext = [&](std::int16_t i) { return cards[i].nextCard; };
    auto textNext = [&](std::int16_t i) { return texts[i].nextText; };
    auto cardMarked = [&](std::int16_t i) { return cards[i].mark; };
    auto textMarked = [&](std::int16_t i) { return texts[i].mark != 0; };
    auto markCard = [&](std::int16_t i) { cards[i].mark = true; };
    auto markText = [&](std::int16_t i) { texts[i].mark = 1; };

    std::optional<std::string> failure;
    clearMarks(true);
    if (!walk(store_.cardHead, cardNext, cardMarked, markCard)) {
        failure = "Referencia circular en lista de fichas.";
    } else if (!walk(store_.textHead, textNext, textMarked, markText)) {
        failure = "Referencia circular en lista de textos.";
    } else if (!walk(store_.cardFree, cardNext, cardMarked, markCard)) {
        failure =
            "Referencia circular en lista de espacio libre del heap o referencia cruzada con la "
            "lista de fichas.";
    } else if (!walk(store_.textFree, textNext, textMarked, markText)) {
        failure =
            "Referencia circular en lista de espacio libre del pool o referencia cruzada con la "
            "lista de textos.";
    } else {
        clearMarks(false);
        for (std::int16_t t = store_.textHead; t != -1 && !failure; t = texts[t].nextText) {
            auto sisterNext = [&](std::int16_t i) { return cards[i].nextSister; };
            std::int16_t first = texts[t].firstCard;
            if (first == 0) continue;  // a text whose last card was deleted
            if (!walk(first, sisterNext, cardMarked, markCard)) {
                failure = "Referencia cruzada o circular en lista de hermanas.";
            }
        }
    }
    clearMarks(true);
    return failure;
}

void cCartulo::Debug_CheckHeaps() {
    if (auto failure = CheckHeaps()) fatalHandler()(*failure);
}

}  // namespace cartulo
