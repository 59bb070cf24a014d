#include "cli/report.h"

#include <iomanip>
#include <locale>
#include <sstream>

#include "cli/json.h"
#include "engine/cartulo.h"

namespace ctu {

namespace {

// Two decimals and a full stop whatever the user's locale, so that the text
// form reads the same everywhere and the JSON form stays valid.
std::string twoDecimals(float value) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::fixed << std::setprecision(2) << value;
    return std::move(out).str();
}

}  // namespace

void printSummary(std::ostream& out, const FileSummary& summary, bool json) {
    if (json) {
        out << "{\"title\":" << jsonString(summary.title)
            << ",\"file\":" << jsonString(summary.file) << ",\"tag\":" << jsonString(summary.tag)
            << ",\"cards\":" << summary.cards << ",\"sisters\":" << summary.sisters
            << ",\"size\":" << summary.size << ",\"capacity\":" << twoDecimals(summary.capacity)
            << ",\"version\":" << jsonString(summary.version) << "}\n";
        return;
    }
    out << "Título: " << summary.title << "\nArchivo: " << summary.file
        << "\nEtiqueta: " << summary.tag << "\nFichas: " << summary.cards
        << "\nHermanas: " << summary.sisters << "\nTamaño estimado: " << summary.size
        << " bytes\nCapacidad usada: " << twoDecimals(summary.capacity)
        << "%\nVersión del motor: " << summary.version << '\n';
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
