// The query language and FindFirst/FindNext/FindWord on a few chosen cards.
#include <algorithm>

#include "engine/global_query.h"
#include "engine/query.h"
#include "test_support.h"

namespace cartulo {
namespace {

using Entries = std::vector<std::string>;

// Created in this order, so the card list (and results) run the other way.
const std::pair<const char*, const char*> kCards[] = {
    {"Casa", "Casa, dulce hogar.\r\nTel: 555 1234\r\nCiudad: Le\xF3n"},
    {"Casas", "Muchas casas y un perro"},
    {"Perro", "El perro de la casa\r\nTel: 600"},
    {"Canci\xF3n", "\277Qui\xE9n canta? \241La CANCI\xD3N!"},
    {"pan y vino", "(pan) con vino-tinto"},
    {"Tabulado", "hola\tmundo"},
    {"Hola mundo", "hola, mundo"},
};
const Entries kAll = {"Hola mundo", "Tabulado", "pan y vino", "Canci\xF3n",
                      "Perro",      "Casas",    "Casa",       ""};

class SearchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ctu.NewFile("Pruebas");
        for (const auto& [entry, text] : kCards) ASSERT_TRUE(ctu.SetTxt(ctu.NewCard(entry), text));
    }
    // Entries of every match, in result order.
    template <typename Query>
    Entries find(const Query& query) {
        Entries out;
        for (CardId c = ctu.FindFirst(query); c != kNoCard; c = ctu.FindNext(c))
            out.push_back(ctu.GetNtry(c));
        return out;
    }
    cCartulo ctu;
};

TEST_F(SearchTest, QueryFormsAndTheirCombinations) {
    // Whole words, letter case ignored, accents significant, ¿ ? ¡ ! ( ) - separate. t: takes
    // the rest as one term; in s: term 2 loses its spaces, one term is searched as written and
    // with a second comma the field name is taken as written. Invalid queries match nothing,
    // also twice; empty terms match every card; only spaces are trimmed.
    // clang-format off
    const std::vector<std::pair<std::string, Entries>> cases = {
        {"CASA", {"Perro", "Casa"}}, {"casa,-perro", {"Casa"}},
        {"-casa", {"Hola mundo", "Tabulado", "pan y vino", "Canci\xF3n", "Casas", ""}},
        {"canci\xF3n", {"Canci\xF3n"}}, {"cancion", {}}, {"qui\xE9n", {"Canci\xF3n"}},
        {"pan", {"pan y vino"}}, {"tinto", {"pan y vino"}}, {"canta", {"Canci\xF3n"}},
        {"ntry:casa", {"Casa"}}, {"NTRY:pan", {"pan y vino"}}, {"tel:555", {"Casa"}},
        {"ciudad:le\xF3n", {"Casa"}},
        {"tel:-555", {"Hola mundo", "Tabulado", "pan y vino", "Canci\xF3n", "Perro", "Casas", ""}},
        {"ciudad:le\xF3n,perro", {}}, {"k:ntry:perro,tel:600", {"Perro"}},
        {"k:tel:-600, ntry:casa", {"Casa"}}, {"T:hola, mundo", {"Hola mundo"}},
        {"t:hola", {"Hola mundo", "Tabulado"}}, {"S:2,pan,ntry:pan", {"pan y vino"}},
        {"s:2,perro,ntry:casa", {"Perro", "Casas", "Casa"}}, {"s:1,casa,perro", {"Perro"}},
        {"s:3,casa,perro", {"Casa"}}, {"s:0,casa,perro", {"Perro", "Casa"}},
        {"s:1,hola, mundo", {"Hola mundo", "Tabulado"}}, {"s:1", {}}, {"k:a:b,c", {}},
        {"k:a:b,c", {}}, {"s:7,casa,perro", {}}, {"", kAll}, {" , ,", kAll}, {"s:2,,", kAll},
        {"casa, ,-perro", {"Casa"}}, {"hola\t", {}},
        {"  hola  ", {"Hola mundo", "Tabulado"}}, {"s:0,Tel: 555", {"Casa"}}, {"s:0, casa", {}},
        {"s:0,-casa", {}}, {"s:1, tel:555,casa", {}}, {"s:1,tel:555,casa", {"Casa"}}};
    // clang-format on
    for (const auto& [query, expected] : cases) EXPECT_EQ(find(query), expected) << query;
    // No limit of terms: the 30th term still counts.
    std::string many;
    for (int i = 0; i < 29; ++i) many += "casa,";
    EXPECT_EQ(find(many + "perro"), Entries{"Perro"});
}

TEST_F(SearchTest, ModesOfParsedQueries) {
    // s:2 with one term keeps the flag; a field in an ignored term 2 still counts.
    // clang-format off
    const struct {
        const char* query;
        int mode;
        std::size_t terms;
    } cases[] = {
        {"", kModeAll, 0}, {"a,b", kModeText, 2}, {"a,x:b", kModeFields, 2},
        {"t:a:b", kModeText, 1}, {"s:2,a,b", kModeText + kAnyTerm, 2}, {"s:1,a,b", kModeText, 2},
        {"s:3,a,ntry:b", kModeFields, 2}, {"s:0,a,b", kModeText, 1},
        {"s:2,a", kModeText + kAnyTerm, 1}, {"s:2,x:a", kModeText + kAnyTerm, 1},
        {"s:0,a", kModeText, 1}, {"s:0,casa,ntry:x", kModeFields, 1}, {"s:", kModeInvalid, 0},
        {"k:a", kModeInvalid, 0}, {"k:a:1,b:2", kModeFields, 2}, {"s:-1,a,b", kModeInvalid, 0},
        {"s:99999999999999999999,a", kModeInvalid, 0}};
    // clang-format on
    for (const auto& c : cases) {
        const ParsedQuery q = ParseQuery(c.query);
        EXPECT_EQ(q.mode, c.mode) << c.query;
        EXPECT_EQ(q.terms.size(), c.terms) << c.query;
    }
    // With a space after the colon the hyphen belongs to the word.
    const ParsedQuery q = ParseQuery("tel: -555");
    EXPECT_TRUE(q.terms.size() == 1 && q.terms[0].word == "-555" &&
                q.terms[0].op == TermOperator::Occurs);
    // An invalid query is cached with its mode: the previous one is parsed again.
    EXPECT_EQ(find("casa"), (Entries{"Perro", "Casa"}));
    EXPECT_TRUE(find("k:a:b,c").empty() && ctu.QueryMode() == kModeInvalid);
    EXPECT_TRUE(find("casa") == (Entries{"Perro", "Casa"}) && ctu.QueryMode() == kModeText);
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
            EXPECT_EQ(find(marked), find(paddedForm(query))) << query << " with " << standIn;
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
    // A colon or comma sends the query unchanged; marks follow both copies; a marked comma
    // is no comma.
    // clang-format off
    const struct {
        MarkedQuery typed, sent;
        Entries found;
    } cases[] = {
        {{"perro", {}}, {"S:2,perro,ntry:perro", {}}, {"Perro", "Casas"}},
        {{"Tabulado", {}}, {"S:2,Tabulado,ntry:Tabulado", {}}, {"Tabulado"}},
        {{"ntry:casa", {}}, {"ntry:casa", {}}, {"Casa"}},
        {{"casa,perro", {}}, {"casa,perro", {}}, {"Perro"}},
        {{"x~", {1}}, {"S:2,x~,ntry:x~", {5, 13}}, {}},
        {{"a,", {1}}, {"S:2,a,,ntry:a,", {5, 13}}, {}}, {{" ", {}}, {"S:2, ,ntry: ", {}}, kAll}};
    // clang-format on
    for (const auto& c : cases) {
        const MarkedQuery sent = GlobalQuery(c.typed);
        EXPECT_EQ(sent.text, c.sent.text);
        EXPECT_EQ(sent.unmatchable, c.sent.unmatchable) << c.sent.text;
        EXPECT_EQ(find(sent), c.found) << c.sent.text;
    }
}

TEST_F(SearchTest, RepeatedQueryFollowsTheCardListAndEndsOutsideIt) {
    EXPECT_EQ(find("perro"), (Entries{"Perro", "Casas"}));
    const CardId extra = ctu.NewCard("Otro");
    ctu.SetTxt(extra, "un perro");
    EXPECT_EQ(find("perro"), (Entries{"Otro", "Perro", "Casas"}));
    EXPECT_EQ(ctu.FindNext(kNoCard), kNoCard);
    ctu.DelCard(extra);
    EXPECT_EQ(find("perro"), (Entries{"Perro", "Casas"}));
    EXPECT_TRUE(ctu.FindNext(extra) == kNoCard &&
                ctu.FindNext(4000) == kNoCard);  // deleted, unused
}

TEST(FindWordTest, PositionsAndWordEdges) {
    // Á and á are one letter, a and á are not; partial and overlapping occurrences come
    // before the whole word; a long word of one repeated letter is found in linear time.
    // clang-format off
    const struct {
        std::string text, word;
        int from, found;
    } cases[] = {
        {"casa", "casa", 1, 1}, {"la casa", "CASA", 1, 4}, {"casas casa", "casa", 1, 7},
        {"casa casa", "casa", 2, 6}, {"\241casa!", "casa", 1, 2}, {"(casa)-casa", "casa", 3, 8},
        {"\xC1rbol", "\xE1rbol", 1, 1}, {"arbol", "\xE1rbol", 1, 0}, {"casa", "", 1, 0},
        {"", "casa", 1, 0}, {"casa", "casa", 99, 0}, {"casa", "casa", -5, 1},
        {"aaaa aaa", "aaa", 1, 6}, {"xyxyz xyz", "xyz", 1, 7}, {"aab aaab", "AAAB", 1, 5},
        {"\301\301\301b \341\341B", "\341\341b", 1, 6},
        {std::string(99999, 'a'), std::string(50000, 'a'), 1, 0},
        {std::string(49999, 'a') + " " + std::string(50000, 'a'), std::string(50000, 'a'), 1,
         50001}};
    // clang-format on
    cCartulo ctu;
    for (const auto& c : cases)
        EXPECT_EQ(ctu.FindWord(c.text, c.word, c.from), c.found)
            << c.text.substr(0, 20) << " / " << c.word.substr(0, 20);
}

}  // namespace
}  // namespace cartulo
