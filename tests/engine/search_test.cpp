// The query language and FindFirst/FindNext/FindWord on a small file of
// chosen cards.
#include <algorithm>

#include <gtest/gtest.h>

#include "engine/cartulo.h"
#include "engine/global_query.h"
#include "engine/query.h"

namespace cartulo {
namespace {

struct Card {
    const char* entry;
    const char* text;
};

// Created in this order, so the card list (and results) run the other way.
const Card kCards[] = {
    {"Casa", "Casa, dulce hogar.\r\nTel: 555 1234\r\nCiudad: Le\xF3n"},
    {"Casas", "Muchas casas y un perro"},
    {"Perro", "El perro de la casa\r\nTel: 600"},
    {"Canci\xF3n", "\xBFQui\xE9n canta? \xA1La CANCI\xD3N!"},
    {"pan y vino", "(pan) con vino-tinto"},
    {"Tabulado", "hola\tmundo"},
    {"Hola mundo", "hola, mundo"},
};

class SearchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ctu.NewFile("Pruebas");
        for (const Card& c : kCards) {
            const CardId id = ctu.NewCard(c.entry);
            ASSERT_GT(id, 0);
            ASSERT_TRUE(ctu.SetTxt(id, c.text));
        }
    }

    // Entries of every match, in result order.
    std::vector<std::string> find(std::string_view query) {
        std::vector<std::string> out;
        for (CardId c = ctu.FindFirst(query); c != kNoCard; c = ctu.FindNext(c)) {
            out.push_back(ctu.GetNtry(c));
        }
        return out;
    }

    cCartulo ctu;
};

using Entries = std::vector<std::string>;

TEST_F(SearchTest, QueryFormsAndTheirCombinations) {
    const struct {
        const char* query;
        Entries expected;
    } cases[] = {
        // Whole words, letter case ignored, separators around the word.
        {"casa", {"Perro", "Casa"}},
        {"CASA", {"Perro", "Casa"}},
        {"casa,-perro", {"Casa"}},
        {"-casa", {"Hola mundo", "Tabulado", "pan y vino", "Canci\xF3n", "Casas", ""}},
        // Accents are significant; upper-case accented letters fold.
        {"canci\xF3n", {"Canci\xF3n"}},
        {"cancion", {}},
        {"qui\xE9n", {"Canci\xF3n"}},
        // ¿ ? ¡ ! ( ) - are separators.
        {"pan", {"pan y vino"}},
        {"tinto", {"pan y vino"}},
        {"canta", {"Canci\xF3n"}},
        // Field terms: the entry, and named fields of the text.
        {"ntry:casa", {"Casa"}},
        {"NTRY:pan", {"pan y vino"}},
        {"tel:555", {"Casa"}},
        {"ciudad:le\xF3n", {"Casa"}},
        {"tel:-555", {"Hola mundo", "Tabulado", "pan y vino", "Canci\xF3n", "Perro", "Casas", ""}},
        {"ciudad:le\xF3n,perro", {}},
        {"k:ntry:perro,tel:600", {"Perro"}},
        {"k:tel:-600, ntry:casa", {"Casa"}},
        // t: takes the rest as one term, commas included.
        {"T:hola, mundo", {"Hola mundo"}},
        {"t:hola", {"Hola mundo", "Tabulado"}},
        // s: two-term forms.
        {"S:2,pan,ntry:pan", {"pan y vino"}},
        {"s:2,perro,ntry:casa", {"Perro", "Casas", "Casa"}},
        {"s:1,casa,perro", {"Perro"}},
        {"s:3,casa,perro", {"Casa"}},
        {"s:0,casa,perro", {"Perro", "Casa"}},
        {"s:1,hola, mundo", {"Hola mundo", "Tabulado"}},  // term 2 loses its spaces
        // Invalid queries match nothing.
        {"s:1", {}},
        {"k:a:b,c", {}},
        {"s:7,casa,perro", {}},
        // Empty query and empty terms match every card.
        {"", {"Hola mundo", "Tabulado", "pan y vino", "Canci\xF3n", "Perro", "Casas", "Casa", ""}},
        {" , ,",
         {"Hola mundo", "Tabulado", "pan y vino", "Canci\xF3n", "Perro", "Casas", "Casa", ""}},
        {"casa, ,-perro", {"Casa"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(find(c.query), c.expected) << "query: " << c.query;
    }
}

TEST_F(SearchTest, OnlySpacesAreTrimmedAndTheSingleTwoFormTermIsExact) {
    // A tab is part of the term, so "hola\t" is not the word hola.
    EXPECT_EQ(find("hola\t"), Entries{});
    EXPECT_EQ(find("  hola  "), (Entries{"Hola mundo", "Tabulado"}));
    // s: with one term searches it as written, colon and spaces included.
    EXPECT_EQ(find("s:0,Tel: 555"), Entries{"Casa"});
    EXPECT_EQ(find("s:0, casa"), Entries{});
    // With a second comma the field name is taken as written: " tel" is not "tel".
    EXPECT_EQ(find("s:1, tel:555,casa"), Entries{});
    EXPECT_EQ(find("s:1,tel:555,casa"), Entries{"Casa"});
}

TEST_F(SearchTest, ModesOfParsedQueries) {
    const struct {
        const char* query;
        int mode;
        std::size_t terms;
    } cases[] = {
        {"", kModeAll, 0},
        {"a,b", kModeText, 2},
        {"a,x:b", kModeFields, 2},
        {"t:a:b", kModeText, 1},
        {"s:2,a,b", kModeText + kAnyTerm, 2},
        {"s:1,a,b", kModeText, 2},
        {"s:3,a,ntry:b", kModeFields, 2},
        {"s:0,a,b", kModeText, 1},
        {"s:2,a", kModeText + kAnyTerm, 1},  // one term: the flag all the same
        {"s:2,x:a", kModeText + kAnyTerm, 1},
        {"s:0,a", kModeText, 1},
        {"s:", kModeInvalid, 0},
        {"k:a", kModeInvalid, 0},
        {"k:a:1,b:2", kModeFields, 2},
    };
    for (const auto& c : cases) {
        const ParsedQuery q = ParseQuery(c.query);
        EXPECT_EQ(q.mode, c.mode) << c.query;
        EXPECT_EQ(q.terms.size(), c.terms) << c.query;
    }
    // No limit of terms: the 30th term still counts.
    std::string many;
    for (int i = 0; i < 29; ++i) many += "casa,";
    EXPECT_EQ(find(many + "perro"), Entries{"Perro"});
}

TEST_F(SearchTest, AnInvalidQueryLeavesTheCacheConsistent) {
    EXPECT_EQ(find("casa"), (Entries{"Perro", "Casa"}));
    EXPECT_EQ(find("k:a:b,c"), Entries{});
    EXPECT_EQ(ctu.QueryMode(), kModeInvalid);
    // The previous query is parsed again, not mistaken for the cached one.
    EXPECT_EQ(find("casa"), (Entries{"Perro", "Casa"}));
    EXPECT_EQ(ctu.QueryMode(), kModeText);
}

TEST_F(SearchTest, EdgesOfTheTwoTermFormAndOfFieldTerms) {
    // Only empty terms: every card, also where one term would suffice.
    EXPECT_EQ(find("s:2,,").size(), 8u);
    EXPECT_EQ(find("s:2, , ").size(), 8u);
    // A hyphen means nothing in the s: form: "-casa" is searched as written.
    EXPECT_EQ(find("s:0,-casa"), Entries{});
    // Naming a field in an ignored term 2 still selects the field mode.
    ParsedQuery q = ParseQuery("s:0,casa,ntry:x");
    EXPECT_EQ(q.mode, kModeFields);
    EXPECT_EQ(q.terms.size(), 1u);
    // With a space after the colon the hyphen belongs to the word.
    q = ParseQuery("tel: -555");
    ASSERT_EQ(q.terms.size(), 1u);
    EXPECT_EQ(q.terms[0].word, "-555");
    EXPECT_EQ(q.terms[0].op, TermOperator::Occurs);
    // The same invalid query asked twice still finds nothing.
    EXPECT_EQ(find("k:a:b,c"), Entries{});
    EXPECT_EQ(find("k:a:b,c"), Entries{});
}

// A query as it was once given to the engine when it held characters
// Windows-1252 lacks (written "~" in the table): the first of them in each
// comma piece became a word longer than any card, each later one a letter.
std::string paddedForm(std::string_view query) {
    std::string out;
    bool pieceHasOne = false;
    for (char c : query) {
        if (c != '~') {
            out += c;
            if (c == ',') pieceHasOne = false;
            continue;
        }
        out += pieceHasOne ? std::string("x") : std::string(kMaxTextLength + 1, 'x');
        pieceHasOne = true;
    }
    return out;
}

TEST_F(SearchTest, UnmatchablePlacesFindWhatAWordLongerThanAnyCardFound) {
    // Queries separated by "|".
    const std::string queries =
        "~|-~|~~| ~ |casa,~|casa,-~|ca~sa|~,~|-,~|~:|casa, ~:|tel:~|tel:-~|"
        "~:555|~:-555|te~l:-555|ntry:~|ntry:-~|nt~ry:casa|t:~|t:casa~|"
        "T:hola, ~|t~:hola|~:hola|s~:1,a|k~:tel:-1|s:2,casa,~|s:1,casa,~|"
        "s:3,casa,~|s:3,casa,~:-555|s:0,casa,~|s:2,~|s:0,~:555|s:~,casa,perro|"
        "s:2~,casa,perro|s:~2,casa,perro|s:1,~:x,casa|s:2,tel:555,~:1|"
        "s:1,tel: ~,casa|k:~|k:tel:~|k:tel:-~,ntry:casa|k:~:1|k:~:-1|"
        "k:ntry:casa,~";
    // Whatever byte stands at a marked place, it is read as no delimiter.
    for (const char standIn : {'x', ',', ':', '-', ' ', '2', 't'}) {
        for (std::size_t at = 0, bar; at <= queries.size(); at = bar + 1) {
            bar = std::min(queries.find('|', at), queries.size());
            const std::string query = queries.substr(at, bar - at);
            MarkedQuery marked{query, {}};
            for (std::size_t i = 0; i < marked.text.size(); ++i) {
                if (marked.text[i] != '~') continue;
                marked.text[i] = standIn;
                marked.unmatchable.push_back(i);
            }
            Entries found;
            for (CardId c = ctu.FindFirst(marked); c != kNoCard; c = ctu.FindNext(c)) {
                found.push_back(ctu.GetNtry(c));
            }
            EXPECT_EQ(found, find(paddedForm(query))) << query << " with " << standIn;
        }
    }
    // The mark is part of the cached query: the same text unmarked is a word.
    const CardId perro = ctu.SrchNtry("Perro");
    ctu.SetTxt(perro, "x");
    EXPECT_EQ(ctu.FindFirst("x"), perro);
    EXPECT_EQ(ctu.FindFirst(MarkedQuery{"x", {0}}), kNoCard);
    EXPECT_EQ(ctu.FindFirst("x"), perro);
}

TEST_F(SearchTest, GlobalQueryLooksForAPlainWordInTextOrEntry) {
    const struct {
        MarkedQuery typed;
        MarkedQuery sent;
        Entries found;
    } cases[] = {
        {{"perro", {}}, {"S:2,perro,ntry:perro", {}}, {"Perro", "Casas"}},
        {{"Tabulado", {}}, {"S:2,Tabulado,ntry:Tabulado", {}}, {"Tabulado"}},  // entry only
        {{"ntry:casa", {}}, {"ntry:casa", {}}, {"Casa"}},  // a colon: sent unchanged
        {{"casa,perro", {}}, {"casa,perro", {}}, {"Perro"}},
        {{"x~", {1}}, {"S:2,x~,ntry:x~", {5, 13}}, {}},  // marks follow both copies
        {{"a,", {1}}, {"S:2,a,,ntry:a,", {5, 13}}, {}},  // a marked comma is no comma
        // Nothing left to look for: every card, as the empty query.
        {{" ", {}},
         {"S:2, ,ntry: ", {}},
         {"Hola mundo", "Tabulado", "pan y vino", "Canci\xF3n", "Perro", "Casas", "Casa", ""}},
    };
    for (const auto& c : cases) {
        const MarkedQuery sent = GlobalQuery(c.typed);
        EXPECT_EQ(sent.text, c.sent.text);
        EXPECT_EQ(sent.unmatchable, c.sent.unmatchable) << c.sent.text;
        Entries found;
        for (CardId id = ctu.FindFirst(sent); id != kNoCard; id = ctu.FindNext(id)) {
            found.push_back(ctu.GetNtry(id));
        }
        EXPECT_EQ(found, c.found) << c.sent.text;
    }
}

TEST_F(SearchTest, FindNextFromACardOutsideTheListEnds) {
    EXPECT_EQ(ctu.FindFirst(""), ctu.FirstCard());
    EXPECT_EQ(ctu.FindNext(4000), kNoCard);  // never used
    const CardId perro = ctu.SrchNtry("Perro");
    ctu.DelCard(perro);
    EXPECT_EQ(ctu.FindNext(perro), kNoCard);
}

TEST_F(SearchTest, RepeatedQueryFindsNewCardsAndFollowsTheCardList) {
    EXPECT_EQ(find("perro"), (Entries{"Perro", "Casas"}));
    const CardId extra = ctu.NewCard("Otro");
    ctu.SetTxt(extra, "un perro");
    EXPECT_EQ(find("perro"), (Entries{"Otro", "Perro", "Casas"}));
    EXPECT_EQ(ctu.FindNext(kNoCard), kNoCard);
    ctu.DelCard(extra);
    EXPECT_EQ(find("perro"), (Entries{"Perro", "Casas"}));
}

TEST(FindWordTest, PositionsAndWordEdges) {
    cCartulo ctu;
    EXPECT_EQ(ctu.FindWord("casa", "casa", 1), 1);        // the whole text
    EXPECT_EQ(ctu.FindWord("la casa", "CASA", 1), 4);     // at the end
    EXPECT_EQ(ctu.FindWord("casas casa", "casa", 1), 7);  // skips the longer word
    EXPECT_EQ(ctu.FindWord("casa casa", "casa", 2), 6);   // from a start position
    EXPECT_EQ(ctu.FindWord("\xA1"
                           "casa!",
                           "casa", 1),
              2);  // ¡ and ! separate
    EXPECT_EQ(ctu.FindWord("(casa)-casa", "casa", 3), 8);
    EXPECT_EQ(ctu.FindWord("\xC1rbol", "\xE1rbol", 1), 1);  // Á and á are one letter
    EXPECT_EQ(ctu.FindWord("arbol", "\xE1rbol", 1), 0);     // a and á are not
    EXPECT_EQ(ctu.FindWord("casa", "", 1), 0);
    EXPECT_EQ(ctu.FindWord("", "casa", 1), 0);
    EXPECT_EQ(ctu.FindWord("casa", "casa", 99), 0);
    EXPECT_EQ(ctu.FindWord("casa", "casa", -5), 1);
    // Partial and overlapping occurrences before the whole word.
    EXPECT_EQ(ctu.FindWord("aaaa aaa", "aaa", 1), 6);
    EXPECT_EQ(ctu.FindWord("xyxyz xyz", "xyz", 1), 7);
    EXPECT_EQ(ctu.FindWord("aab aaab", "AAAB", 1), 5);
    EXPECT_EQ(ctu.FindWord("\xC1\xC1\xC1"
                           "b \xE1\xE1"
                           "B",
                           "\xE1\xE1"
                           "b",
                           1),
              6);
    // A long word of one repeated letter: linear, not a rescan per position.
    const std::string word(50000, 'a');
    EXPECT_EQ(ctu.FindWord(std::string(99999, 'a'), word, 1), 0);
    EXPECT_EQ(ctu.FindWord(std::string(49999, 'a') + " " + word, word, 1), 50001);
}

TEST(FindWordTest, QueriesOfAnyShapeReturnAResult) {
    cCartulo ctu;
    ctu.NewFile("x");
    const std::string hostile[] = {
        ",,,,",
        "s:",
        "S:,",
        "k:",
        "k:,",
        "t:",
        "s:-1,a,b",
        "s:99999999999999999999,a",
        std::string(10000, ','),
        std::string("\0\x01\x02:", 4),
        "ntry:",
        ":",
        "-",
        "k::::",
    };
    for (const std::string& q : hostile) {
        const CardId c = ctu.FindFirst(q);
        EXPECT_TRUE(c == kNoCard || c == ctu.GetMain()) << q;
    }
    std::string tenThousand;
    for (int i = 0; i < 10000; ++i) tenThousand += "t" + std::to_string(i) + ",";
    EXPECT_EQ(ctu.FindFirst(tenThousand), kNoCard);
}

}  // namespace
}  // namespace cartulo
