#include "engine/query.h"

#include "engine/file_format.h"
#include "engine/win1252.h"

namespace cartulo {

namespace {

std::string_view trimSpaces(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::vector<std::string_view> splitAtCommas(std::string_view s) {
    std::vector<std::string_view> pieces;
    while (true) {
        const auto comma = s.find(',');
        pieces.push_back(s.substr(0, comma));
        if (comma == std::string_view::npos) return pieces;
        s.remove_prefix(comma + 1);
    }
}

bool hasPrefix(std::string_view query, char letter) {
    return query.size() >= 2 && win1252::toUpper(query[0]) == win1252::toUpper(letter) &&
           query[1] == ':';
}

// name:word or name:-word; the name and the word lose their surrounding spaces.
QueryTerm fieldTerm(std::string_view piece, std::size_t colon) {
    QueryTerm term;
    term.field = std::string(trimSpaces(piece.substr(0, colon)));
    std::string_view rest = piece.substr(colon + 1);
    if (rest.starts_with('-')) {
        term.op = TermOperator::Absent;
        rest.remove_prefix(1);
    }
    term.word = std::string(trimSpaces(rest));
    return term;
}

// A term of the general list: word, -word, name:word or name:-word.
QueryTerm listTerm(std::string_view piece) {
    piece = trimSpaces(piece);
    if (const auto colon = piece.find(':'); colon != std::string_view::npos) {
        return fieldTerm(piece, colon);
    }
    QueryTerm term;
    if (piece.starts_with('-')) {
        term.op = TermOperator::Absent;
        piece.remove_prefix(1);
    }
    term.word = std::string(trimSpaces(piece));
    return term;
}

void addTerm(ParsedQuery& q, QueryTerm term) {
    if (!term.word.empty()) q.terms.push_back(std::move(term));
}

ParsedQuery parseTwoTerms(std::string_view rest) {
    ParsedQuery q;
    const auto comma1 = rest.find(',');
    if (comma1 == std::string_view::npos) return {kModeInvalid, {}};
    const std::int64_t n = fieldValue(rest.substr(0, comma1));
    if (n < 0 || n > 3) return {kModeInvalid, {}};
    q.mode = kModeText;
    const std::string_view after = rest.substr(comma1 + 1);
    const auto comma2 = after.find(',');
    if (comma2 == std::string_view::npos) {
        // A single term is searched in the text exactly as written.
        QueryTerm term;
        term.word = std::string(after);
        addTerm(q, std::move(term));
        return q;
    }
    auto twoFormTerm = [&q](std::string_view piece) {
        QueryTerm term;
        // The name stays as written, and a hyphen means nothing in this form.
        if (const auto colon = piece.find(':'); colon != std::string_view::npos) {
            term.field = std::string(piece.substr(0, colon));
            term.word = std::string(trimSpaces(piece.substr(colon + 1)));
            q.mode = kModeFields;
        } else {
            term.word = std::string(trimSpaces(piece));
        }
        return term;
    };
    addTerm(q, twoFormTerm(after.substr(0, comma2)));
    // Term 2 is read even when ignored: naming a field still sets the mode.
    QueryTerm second = twoFormTerm(after.substr(comma2 + 1));
    if (n == 3) second.op = TermOperator::Absent;
    if (n != 0) addTerm(q, std::move(second));
    if (n == 2) q.mode += kAnyTerm;
    return q;
}

}  // namespace

ParsedQuery ParseQuery(std::string_view query) {
    ParsedQuery q;
    if (query.empty()) return q;
    if (hasPrefix(query, 't')) {
        q.mode = kModeText;
        QueryTerm term;
        term.word = std::string(trimSpaces(query.substr(2)));
        addTerm(q, std::move(term));
        return q;
    }
    if (hasPrefix(query, 's')) return parseTwoTerms(query.substr(2));
    if (hasPrefix(query, 'k')) {
        q.mode = kModeFields;
        for (std::string_view piece : splitAtCommas(query.substr(2))) {
            piece = trimSpaces(piece);
            if (piece.empty()) continue;
            const auto colon = piece.find(':');
            if (colon == std::string_view::npos) return {kModeInvalid, {}};
            addTerm(q, fieldTerm(piece, colon));
        }
        return q;
    }
    q.mode = kModeText;
    for (std::string_view piece : splitAtCommas(query)) {
        if (trimSpaces(piece).find(':') != std::string_view::npos) q.mode = kModeFields;
        addTerm(q, listTerm(piece));
    }
    return q;
}

}  // namespace cartulo
