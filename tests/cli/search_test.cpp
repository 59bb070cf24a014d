// ctu search: the query language run over a file on disk, hits in
// card-list order, with queries given in UTF-8.
#include <sstream>

#include "cli_fixture.h"

namespace {

// The ids of a text-form result in order, as "6 5 4".
std::string hitIds(const std::string& out) {
    std::istringstream lines(out);
    std::string line, ids;
    while (std::getline(lines, line)) {
        if (!ids.empty()) ids += ' ';
        ids += std::to_string(std::stoi(line));
    }
    return ids;
}

// Loading puts the last record first: the card list is 6, 5, 4, 3, 2, 1.
const std::vector<Record> kCards = {
    {"", "Agenda de casa"},
    {"Pan",
     "Tel: 555\r\nHorno de le\xF1"
     "a"},
    {"Canci\xF3n", "CANCI\xD3N de cuna"},
    {"Vino", "Tel: 666\r\nVino de casa; cancion sin acento"},
    {"Perro", "En casa, perro ladrador"},
    {" oculta", "casa"},
};

struct Search {
    std::string name;
    std::string query;
    std::string ids;  // expected hits, as hitIds gives them
};

std::ostream& operator<<(std::ostream& os, const Search& s) {
    return os << s.name;
}

class CliSearch : public CliTest, public ::testing::WithParamInterface<Search> {};

TEST_P(CliSearch, FindsMatchingCardsInListOrder) {
    writeCardFile(kCards);
    const auto run = ctu({"search", file, GetParam().query});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(hitIds(run.out), GetParam().ids) << GetParam().query;
}

INSTANTIATE_TEST_SUITE_P(GeneralForm, CliSearch,
                         ::testing::Values(Search{"EmptyFindsEveryCard", "", "6 5 4 3 2 1"},
                                           Search{"WordInTextHiddenAndMainIncluded", "casa",
                                                  "6 5 4 1"},
                                           Search{"LetterCaseIgnored", "LADRADOR", "5"},
                                           Search{"WholeWordsOnly", "cas", ""},
                                           Search{"EveryTermMustHold", "casa,perro", "5"},
                                           Search{"TermOrderDoesNotMatter", "perro, casa", "5"},
                                           Search{"NegatedTerm", "casa,-perro", "6 4 1"},
                                           Search{"OnlyANegatedTerm", "-casa", "3 2"}),
                         [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    EntriesAndFields, CliSearch,
    ::testing::Values(Search{"EntryWordIsNotInTheText", "pan", ""},
                      Search{"EntryTerm", "ntry:pan", "2"}, Search{"FieldTerm", "tel:555", "2"},
                      Search{"FieldHoldsOnlyItsOwnLine", "tel:horno", ""},
                      Search{"NegatedFieldIncludesCardsWithoutIt", "tel:-555", "6 5 4 3 1"},
                      Search{"FieldList", "k:tel:666", "4"},
                      Search{"FieldListTermWithoutColonIsInvalid", "k:tel", ""}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(LiteralAndTwoTermForms, CliSearch,
                         ::testing::Values(Search{"LiteralKeepsTheComma", "t:casa, perro", "5"},
                                           Search{"LiteralKeepsTheOrder", "t:perro, casa", ""},
                                           Search{"EitherOfTwo", "s:2,ladrador,cuna", "5 3"},
                                           Search{"BothOfTwo", "s:1,ladrador,cuna", ""},
                                           Search{"FirstButNotSecond", "s:3,casa,perro", "6 4 1"},
                                           Search{"TwoTermModeOutOfRangeIsInvalid",
                                                  "s:7,casa,perro", ""}),
                         [](const auto& info) { return info.param.name; });

// "→" is in no Windows-1252 card, so a term holding it is never found.
INSTANTIATE_TEST_SUITE_P(
    Utf8Queries, CliSearch,
    ::testing::Values(Search{"AccentedMatchesUpperCase", "canción", "3"},
                      Search{"UnaccentedIsAnotherWord", "cancion", "4"},
                      Search{"UnstorableWord", "→", ""}, Search{"UnstorableLiteral", "t:casa→", ""},
                      Search{"NegatedUnstorableWord", "-→", "6 5 4 3 2 1"},
                      Search{"NegatedUnstorableBesideAWord", "casa,-a→b→c", "6 5 4 1"},
                      Search{"UnstorableFieldNameIsAbsentEverywhere", "tel→:-555", "6 5 4 3 2 1"},
                      Search{"EitherOfTwoWithAnUnstorableTerm", "s:2,ladrador,cuna→", "5"}),
    [](const auto& info) { return info.param.name; });

// Each such term costs memory as its own length: not a word longer than
// any card, which took 400 bytes per byte of the query.
TEST_F(CliTest, UnstorableTermsCostMemoryInProportionToTheQuery) {
    writeCardFile(kCards);
    std::string query;
    for (int i = 0; i < 2000; ++i) query += "→,-→,";
    const auto run = ctu({"search", file, query});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_LT(run.maxResidentKiB, 200 * 1024);
}

TEST_F(CliTest, SearchPrintsLikeList) {
    writeCardFile(kCards);
    const auto text = ctu({"search", file, "casa"});
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out, "   6   oculta\n   5  Perro\n   4  Vino\n   1   <Ficha principal>\n");

    EXPECT_EQ(ctu({"search", file, "CANCIÓN", "--json"}).out, R"([{"id":3,"entry":"Canción"}])"
                                                              "\n");
    EXPECT_EQ(ctu({"search", file, "agenda", "--json"}).out, R"([{"id":1,"entry":""}])"
                                                             "\n");
}

TEST_F(CliTest, SearchWithoutHitsSucceedsWithEmptyOutput) {
    writeCardFile(kCards);
    const std::string before = readBytes(file);
    for (const std::string query : {"gato", "→"}) {
        const auto text = ctu({"search", file, query});
        EXPECT_EQ(text.exitCode, 0) << query;
        EXPECT_EQ(text.out, "");
        EXPECT_EQ(text.err, "");
        const auto json = ctu({"search", file, query, "--json"});
        EXPECT_EQ(json.exitCode, 0) << query;
        EXPECT_EQ(json.out, "[]\n");
    }
    EXPECT_EQ(readBytes(file), before);
}

// Opening a file creates its cards in file order, so the last record is
// the most recently created card and comes first.
TEST_F(CliTest, SearchGivesTheNewestCardsFirst) {
    writeCardFile(
        {{"", "Agenda"}, {"Primera", "casa"}, {"Segunda", "casa"}, {"Tercera", "@@Primera"}});
    EXPECT_EQ(ctu({"search", file, "casa"}).out, "   4  Tercera\n   3  Segunda\n   2  Primera\n");
}

// Hits grouped by file in the order given; files without hits left out.
TEST_F(CliTest, GlobalSearchOverSeveralFiles) {
    writeCardFile(kCards);
    const std::string other = dir.path("otro.ctu");
    writeBytes(other, cardFileBytes({{"", "Otro"}, {"Casa", "sin nada"}, {"Gato", "casa"}}));
    const std::string none = dir.path("nada.ctu");
    writeBytes(none, cardFileBytes({{"", "Nada"}}));
    const auto text = ctu({"search", "--global", "casa", file, none, other});
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out, file +
                            ": Agenda de casa\n   6   oculta\n   5  Perro\n   4  Vino\n"
                            "   1   <Ficha principal>\n" +
                            other + ": Otro\n   3  Gato\n   2  Casa\n");
    // A colon: sent unchanged, so only entries are searched.
    EXPECT_EQ(ctu({"search", "--json", "--global", "ntry:casa", file, other}).out,
              R"([{"file":")" + other +
                  R"(","title":"Otro","hits":[{"id":2,"entry":"Casa"}]}])"
                  "\n");
    EXPECT_EQ(ctu({"search", "--global", "gato", file, "--json"}).out, "[]\n");

    const auto missing = ctu({"search", "--global", "casa", file, dir.path("no.ctu")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("(código 53)"), std::string::npos) << missing.err;
    EXPECT_EQ(ctu({"search", "--global", "casa"}).exitCode, 1);
    EXPECT_EQ(ctu({"search", file, "casa", other}).exitCode, 1);
}

}  // namespace
