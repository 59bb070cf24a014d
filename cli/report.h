// How the reading commands print their results: for a person, or as JSON
// with --json. Every string here is already UTF-8.
#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace ctu {

struct FileSummary {
    std::string title;
    std::string file;  // the path as given, through displayText
    std::string tag;
    int cards = 0;
    int sisters = 0;
    long size = 0;       // estimated, in bytes
    float capacity = 0;  // percentage of the cards a file can hold
    std::string version;
};

struct ListedCard {
    int id = 0;
    std::string entry;  // "" for the main card
};

// One file's hits of a global search.
struct FileHits {
    std::string file;   // the path as given, through displayText
    std::string title;  // GetFileTitle
    std::vector<ListedCard> hits;
};

struct ShownCard {
    int id = 0;
    std::string entry;  // "" for the main card
    std::string text;   // line ends as stored
    std::vector<std::string> sisters;
};

// A link of a card: what it names and where it stands.
struct ListedLink {
    std::string target;
    std::size_t position = 0;             // of its first character in the card's text, from 1
    std::optional<std::string> resolved;  // the entry it leads to ("" the main card), if any
};

struct LintedCard {
    std::string entry;         // "" for the main card
    std::string displayEntry;  // " <Ficha principal>" for the main card
    std::vector<std::string> errors;
    std::vector<ListedLink> brokenLinks;
    std::optional<bool> orphan;  // asked for with --orphans: no other card links to it
};

void printSummary(std::ostream& out, const FileSummary& summary, bool json);
void printList(std::ostream& out, const std::vector<ListedCard>& cards, bool json);
// Files without hits are left out. Without --json each file is a line
// "FILE: TITLE" followed by its hits as printList prints them.
void printFileHits(std::ostream& out, const std::vector<FileHits>& files, bool json);
// Without --json only the text is printed, exactly as stored, so it can be
// fed back with --text-file.
void printCard(std::ostream& out, const ShownCard& card, bool json);
// Without --json one "entry: error" line per error; an error never spans
// lines there, so each line stands alone for grep and the like.
// Broken links and orphans follow a card's errors, one line each.
void printLint(std::ostream& out, const std::vector<LintedCard>& cards, bool json);
// Without --json one line per link: «target» → entry, or "(no existe)".
void printLinks(std::ostream& out, const std::vector<ListedLink>& links, bool json);

}  // namespace ctu
