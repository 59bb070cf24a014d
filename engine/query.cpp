#include "engine/query.h"

#include <algorithm>

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

void addTerm(ParsedQuery& q, QueryTerm term) {
    if (!term.word.empty()) q.terms.push_back(std::move(term));
}

// Reads one query. Every piece it looks at is a view into query_, so the
// unmatchable places are found by their offsets.
class QueryReader {
  public:
    QueryReader(std::string_view query, std::span<const std::size_t> unmatchable)
        : marks_(unmatchable.begin(), unmatchable.end()) {
        std::sort(marks_.begin(), marks_.end());
        if (marks_.empty()) {
            query_ = query;
            return;
        }
        // A stand-in could be a comma, a colon or a digit: a letter at those
        // places reads the query as any character outside the code page would.
        neutral_ = std::string(query);
        for (std::size_t at : marks_) {
            if (at < neutral_.size()) neutral_[at] = 'x';
        }
        query_ = neutral_;
    }
    // query_ may view neutral_: a copy would view the original's.
    QueryReader(const QueryReader&) = delete;
    QueryReader& operator=(const QueryReader&) = delete;

    ParsedQuery read() const {
        ParsedQuery q;
        if (query_.empty()) return q;
        if (hasPrefix(query_, 't')) {
            q.mode = kModeText;
            addTerm(q, plainTerm(trimSpaces(query_.substr(2))));
            return q;
        }
        if (hasPrefix(query_, 's')) return twoTerms(query_.substr(2));
        if (hasPrefix(query_, 'k')) {
            q.mode = kModeFields;
            for (std::string_view piece : splitAtCommas(query_.substr(2))) {
                piece = trimSpaces(piece);
                if (piece.empty()) continue;
                const auto colon = piece.find(':');
                if (colon == std::string_view::npos) return {kModeInvalid, {}};
                addTerm(q, fieldTerm(piece, colon));
            }
            return q;
        }
        q.mode = kModeText;
        for (std::string_view piece : splitAtCommas(query_)) {
            if (trimSpaces(piece).find(':') != std::string_view::npos) q.mode = kModeFields;
            addTerm(q, listTerm(piece));
        }
        return q;
    }

  private:
    // Whether the piece (a view into query_) holds an unmatchable place.
    bool marked(std::string_view piece) const {
        if (marks_.empty() || piece.empty()) return false;
        const auto from = static_cast<std::size_t>(piece.data() - query_.data());
        const auto it = std::lower_bound(marks_.begin(), marks_.end(), from);
        return it != marks_.end() && *it < from + piece.size();
    }

    QueryTerm plainTerm(std::string_view word) const {
        QueryTerm term;
        term.word = std::string(word);
        term.unmatchable = marked(word);
        return term;
    }

    // name:word or name:-word; the name and the word lose their surrounding spaces.
    QueryTerm fieldTerm(std::string_view piece, std::size_t colon) const {
        std::string_view rest = piece.substr(colon + 1);
        const bool absent = rest.starts_with('-');
        if (absent) rest.remove_prefix(1);
        QueryTerm term = plainTerm(trimSpaces(rest));
        const std::string_view name = trimSpaces(piece.substr(0, colon));
        term.field = std::string(name);
        // A field no line can name is empty in every card.
        term.unmatchable = term.unmatchable || marked(name);
        if (absent) term.op = TermOperator::Absent;
        return term;
    }

    // A term of the general list: word, -word, name:word or name:-word.
    QueryTerm listTerm(std::string_view piece) const {
        piece = trimSpaces(piece);
        if (const auto colon = piece.find(':'); colon != std::string_view::npos) {
            return fieldTerm(piece, colon);
        }
        const bool absent = piece.starts_with('-');
        if (absent) piece.remove_prefix(1);
        QueryTerm term = plainTerm(trimSpaces(piece));
        if (absent) term.op = TermOperator::Absent;
        return term;
    }

    ParsedQuery twoTerms(std::string_view rest) const {
        ParsedQuery q;
        const auto comma1 = rest.find(',');
        if (comma1 == std::string_view::npos) return {kModeInvalid, {}};
        const std::int64_t n = fieldValue(rest.substr(0, comma1));
        if (n < 0 || n > 3) return {kModeInvalid, {}};
        // The flag holds whether or not there is a term 2.
        const int anyTerm = n == 2 ? kAnyTerm : 0;
        q.mode = kModeText;
        const std::string_view after = rest.substr(comma1 + 1);
        const auto comma2 = after.find(',');
        if (comma2 == std::string_view::npos) {
            // A single term is searched in the text exactly as written.
            addTerm(q, plainTerm(after));
            q.mode += anyTerm;
            return q;
        }
        auto twoFormTerm = [&](std::string_view piece) {
            // The name stays as written, and a hyphen means nothing in this form.
            const auto colon = piece.find(':');
            if (colon == std::string_view::npos) return plainTerm(trimSpaces(piece));
            QueryTerm term = plainTerm(trimSpaces(piece.substr(colon + 1)));
            const std::string_view name = piece.substr(0, colon);
            term.field = std::string(name);
            term.unmatchable = term.unmatchable || marked(name);
            q.mode = kModeFields;
            return term;
        };
        addTerm(q, twoFormTerm(after.substr(0, comma2)));
        // Term 2 is read even when ignored: naming a field still sets the mode.
        QueryTerm second = twoFormTerm(after.substr(comma2 + 1));
        if (n == 3) second.op = TermOperator::Absent;
        if (n != 0) addTerm(q, std::move(second));
        q.mode += anyTerm;
        return q;
    }

    std::vector<std::size_t> marks_;
    std::string neutral_;
    std::string_view query_;
};

}  // namespace

ParsedQuery ParseQuery(std::string_view query, std::span<const std::size_t> unmatchable) {
    return QueryReader(query, unmatchable).read();
}

}  // namespace cartulo
