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

// Control characters (a CR LF inside a tag's value) would split a line.
std::string oneLine(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    }
    return out;
}

void printJsonList(std::ostream& out, const std::vector<ListedCard>& cards) {
    out << '[';
    for (std::size_t i = 0; i < cards.size(); ++i) {
        if (i > 0) out << ',';
        out << "{\"id\":" << cards[i].id << ",\"entry\":" << jsonString(cards[i].entry) << '}';
    }
    out << ']';
}

// With `entries`, each link names the entry it leads to, or null.
void printJsonLinks(std::ostream& out, const std::vector<ListedLink>& links, bool entries) {
    out << '[';
    for (std::size_t i = 0; i < links.size(); ++i) {
        if (i > 0) out << ',';
        out << "{\"target\":" << jsonString(links[i].target)
            << ",\"position\":" << links[i].position;
        if (entries) {
            out << ",\"entry\":" << (links[i].resolved ? jsonString(*links[i].resolved) : "null");
        }
        out << '}';
    }
    out << ']';
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
        printJsonList(out, cards);
        out << '\n';
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

void printFileHits(std::ostream& out, const std::vector<FileHits>& files, bool json) {
    if (!json) {
        for (const auto& file : files) {
            out << file.file << ": " << oneLine(file.title) << '\n';
            printList(out, file.hits, false);
        }
        return;
    }
    out << '[';
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (i > 0) out << ',';
        out << "{\"file\":" << jsonString(files[i].file)
            << ",\"title\":" << jsonString(files[i].title) << ",\"hits\":";
        printJsonList(out, files[i].hits);
        out << '}';
    }
    out << "]\n";
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

void printLint(std::ostream& out, const std::vector<LintedCard>& cards, bool json) {
    if (!json) {
        for (const auto& card : cards) {
            for (const auto& error : card.errors) {
                out << card.displayEntry << ": " << oneLine(error) << '\n';
            }
            for (const auto& link : card.brokenLinks) {
                out << card.displayEntry << ": Enlace roto: «" << oneLine(link.target)
                    << "» (posición " << link.position << ")\n";
            }
            if (card.orphan.value_or(false)) {
                out << card.displayEntry << ": Ninguna otra ficha enlaza con ella\n";
            }
        }
        return;
    }
    out << '[';
    for (std::size_t i = 0; i < cards.size(); ++i) {
        if (i > 0) out << ',';
        out << "{\"entry\":" << jsonString(cards[i].entry) << ",\"errors\":[";
        for (std::size_t k = 0; k < cards[i].errors.size(); ++k) {
            if (k > 0) out << ',';
            out << jsonString(cards[i].errors[k]);
        }
        out << "],\"brokenLinks\":";
        printJsonLinks(out, cards[i].brokenLinks, false);
        if (cards[i].orphan) out << ",\"orphan\":" << (*cards[i].orphan ? "true" : "false");
        out << '}';
    }
    out << "]\n";
}

void printLinks(std::ostream& out, const std::vector<ListedLink>& links, bool json) {
    if (json) {
        printJsonLinks(out, links, true);
        out << '\n';
        return;
    }
    for (const auto& link : links) {
        out << "«" << oneLine(link.target) << "» → ";
        if (!link.resolved) {
            out << "(no existe)\n";
        } else {
            out << (link.resolved->empty() ? cartulo::kMainCardName : *link.resolved) << '\n';
        }
    }
}

}  // namespace ctu
