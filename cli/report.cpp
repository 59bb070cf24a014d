#include "cli/report.h"

#include <iomanip>

#include "cli/json.h"
#include "engine/cartulo.h"

namespace ctu {

void printSummary(std::ostream& out, const FileSummary& summary, bool json) {
    if (json) {
        out << "{\"title\":" << jsonString(summary.title) << ",\"cards\":" << summary.cards
            << "}\n";
    } else {
        out << "Título: " << summary.title << "\nFichas: " << summary.cards << '\n';
    }
}

void printList(std::ostream& out, const std::vector<ListedCard>& cards, bool json) {
    if (json) {
        out << '[';
        for (std::size_t i = 0; i < cards.size(); ++i) {
            if (i > 0) out << ',';
            out << "{\"id\":" << cards[i].id << ",\"entry\":" << jsonString(cards[i].entry) << '}';
        }
        out << "]\n";
        return;
    }
    for (const auto& card : cards) {
        out << std::setw(4) << card.id << "  ";
        if (card.entry.empty()) {
            out << cartulo::kMainCardName << '\n';
        } else {
            out << card.entry << '\n';
        }
    }
}

void printCard(std::ostream& out, const ShownCard& card, bool json) {
    if (!json) {
        out << card.text;
        return;
    }
    out << "{\"id\":" << card.id << ",\"entry\":" << jsonString(card.entry)
        << ",\"text\":" << jsonString(card.text) << ",\"sisters\":[";
    for (std::size_t i = 0; i < card.sisters.size(); ++i) {
        if (i > 0) out << ',';
        out << jsonString(card.sisters[i]);
    }
    out << "]}\n";
}

}  // namespace ctu
