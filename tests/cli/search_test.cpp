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
    {"Pan", "Tel: 555\r\nHorno de le\361a"},
    {"Canci\xF3n", "CANCI\xD3N de cuna"},
    {"Vino", "Tel: 666\r\nVino de casa; cancion sin acento"},
    {"Perro", "En casa, perro ladrador"},
    {" oculta", "casa"},
};

TEST_F(CliTest, SearchFindsMatchingCardsInListOrder) {
    writeCardFile(kCards);
    const std::pair<const char*, const char*> cases[] = {
        {"casa", "6 5 4 1"},
        {"canción", "3"},
        {"cancion", "4"},
        // "→" is in no Windows-1252 card, so a term holding it is never found.
        {"→", ""},
        {"t:casa→", ""},
        {"-→", "6 5 4 3 2 1"},
        {"casa,-a→b→c", "6 5 4 1"},
        {"tel→:-555", "6 5 4 3 2 1"},
        {"s:2,ladrador,cuna→", "5"},
    };
    for (const auto& [query, ids] : cases)
        EXPECT_EQ(hitIds(okOut({"search", file, query})), ids) << query;
}

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
    EXPECT_EQ(okOut({"search", file, "casa"}),
              "   6   oculta\n   5  Perro\n   4  Vino\n   1   <Ficha principal>\n");
    EXPECT_EQ(okOut({"search", file, "gato"}), "");
    EXPECT_EQ(okOut({"search", file, "→", "--json"}), "[]\n");

    EXPECT_EQ(ctu({"search", file, "CANCIÓN", "--json"}).out, R"([{"id":3,"entry":"Canción"}])"
                                                              "\n");
    EXPECT_EQ(ctu({"search", file, "agenda", "--json"}).out, R"([{"id":1,"entry":""}])"
                                                             "\n");
}

// Hits grouped by file in the order given; files without hits left out.
TEST_F(CliTest, GlobalSearchOverSeveralFiles) {
    writeCardFile(kCards);
    const std::string other = dir.path("otro.ctu");
    writeBytes(other, cardFileBytes({{"", "Otro"}, {"Casa", "sin nada"}, {"Gato", "casa"}}));
    const std::string none = dir.path("nada.ctu");
    writeBytes(none, cardFileBytes({{"", "Nada"}}));
    EXPECT_EQ(
        okOut({"search", "--global", "casa", file, none, other}),
        file +
            ": Agenda de casa\n   6   oculta\n   5  Perro\n   4  Vino\n   1   <Ficha principal>\n" +
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
