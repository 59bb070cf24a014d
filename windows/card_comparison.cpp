#include "windows/card_comparison.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "engine/win1252.h"

namespace cartulo::windows {

namespace {

struct Clave {
    std::string key;  // the shown entry in lower case
    CardId card;
};

std::vector<Clave> ordenadas(const cCartulo& file) {
    std::vector<Clave> out;
    for (CardId c = file.FirstCard(); c != kNoCard; c = file.NextCard(c)) {
        out.push_back({win1252::toLower(EntradaMostrada(file, c)), c});
    }
    std::sort(out.begin(), out.end(), [](const Clave& x, const Clave& y) {
        return std::tie(x.key, x.card) < std::tie(y.key, y.card);
    });
    return out;
}

}  // namespace

std::string EntradaMostrada(const cCartulo& file, CardId card) {
    std::string entry = file.GetNtry(card);
    return entry.empty() ? std::string(kMainCardName) : entry;
}

bool FichaViva(const cCartulo& file, CardId card) {
    return card != kNoCard && !file.GetSisters(card).empty();
}

std::vector<FilaComparada> CompararCartulos(const cCartulo& a, const cCartulo& b) {
    const std::vector<Clave> left = ordenadas(a);
    const std::vector<Clave> right = ordenadas(b);
    std::vector<FilaComparada> rows;
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < left.size() || j < right.size()) {
        if (j == right.size() || (i < left.size() && left[i].key < right[j].key)) {
            rows.push_back({left[i++].card, kNoCard});
        } else if (i == left.size() || right[j].key < left[i].key) {
            rows.push_back({kNoCard, right[j++].card});
        } else {
            const CardId ca = left[i++].card;
            const CardId cb = right[j++].card;
            if (!win1252::equalsIgnoringCase(a.GetTxt(ca), b.GetTxt(cb))) rows.push_back({ca, cb});
        }
    }
    return rows;
}

}  // namespace cartulo::windows
