// The search query language: parsing a query into terms.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cartulo {

enum class TermOperator { Occurs = 0, Absent = 1 };

struct QueryTerm {
    std::string word;
    std::string field;  // "" the card text, "ntry" the entry, else a field of the text
    TermOperator op = TermOperator::Occurs;
    // The word or the field name holds a character no card can hold: never found.
    bool unmatchable = false;
};

// Mode values: low byte 0 every card matches, 1 terms search the text only,
// 2 terms may name a field; kAnyTerm added when one term suffices; -1 the
// query is invalid and matches nothing.
inline constexpr int kModeAll = 0;
inline constexpr int kModeText = 1;
inline constexpr int kModeFields = 2;
inline constexpr int kModeInvalid = -1;
inline constexpr int kAnyTerm = 256;

struct ParsedQuery {
    int mode = kModeAll;
    std::vector<QueryTerm> terms;
};

// A query with the places that stood for characters Windows-1252 lacks. The
// byte at such a place is only a stand-in, read as a letter; a term or field
// name holding one is never found, as no card can hold that character.
struct MarkedQuery {
    std::string text;
    std::vector<std::size_t> unmatchable;  // positions in text
};

// Terms left empty once their spaces are removed are dropped (the search
// window sends them for its unused boxes); there is no limit on the number
// of terms. Positions in `unmatchable` past the end are ignored.
ParsedQuery ParseQuery(std::string_view query, std::span<const std::size_t> unmatchable = {});

}  // namespace cartulo
