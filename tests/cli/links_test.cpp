// ctu links, backlinks and the links lint checks: targets resolve as a press
// resolves them, letter case ignored, table cells included.
#include "cli_fixture.h"

namespace {

const std::vector<Record> kLinked = {
    {"", "Agenda \xABperro\xBB"},
    {"Perro", "Ver \xABgato\xBB, {L:Nada,x} y {* \xABno\xBB *}\xABPERRO\xBB"},
    {"Gato", "{TB:1,1}\xABPerro\xBB{\\}\xAB\xBB"},
    {"Solo", "{N"},
};

TEST_F(CliTest, LinksAndBacklinksResolveAsAPress) {
    writeCardFile(kLinked);
    struct Case {
        std::vector<std::string> args;
        std::string out;
    };
    const std::vector<Case> cases = {
        {{"links", file, "perro"}, "«gato» → Gato\n«Nada» → (no existe)\n«PERRO» → Perro\n"},
        {{"links", file, "Gato", "--json"},
         R"([{"target":"Perro","position":9,"entry":"Perro"},)"
         R"({"target":"","position":19,"entry":null}])"
         "\n"},
        {{"links", file, "Solo"}, ""},
        {{"backlinks", file, "perro"}, "   3  Gato\n   2  Perro\n   1   <Ficha principal>\n"},
        {{"backlinks", file, "Gato", "--json"},
         R"([{"id":2,"entry":"Perro"}])"
         "\n"},
        {{"lint", file, "--orphans"},
         "Solo: Llaves no cerradas\nSolo: Ninguna otra ficha enlaza con ella\n"
         "Gato: Enlace roto: «» (posición 19)\n"
         "Perro: Enlace roto: «Nada» (posición 13)\n"},
        {{"lint", file, "--json", "--orphans"},
         R"([{"entry":"Solo","errors":["Llaves no cerradas"],"brokenLinks":[],"orphan":true},)"
         R"({"entry":"Gato","errors":[],"brokenLinks":[{"target":"","position":19}],)"
         R"("orphan":false},)"
         R"({"entry":"Perro","errors":[],"brokenLinks":[{"target":"Nada","position":13}],)"
         R"("orphan":false}])"
         "\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(okOut(c.args), c.out) << c.args[0] << " " << c.args[2];
    }
    EXPECT_EQ(ctu({"links", file, "Nada"}).exitCode, 3);
}

TEST_F(CliTest, StrictLintFailsOnBrokenLinksAndMarkupErrorsOnly) {
    const std::vector<std::pair<std::vector<Record>, int>> cases = {
        {{{"", "Agenda"}, {"Huerfana", "Hola"}}, 0},
        {{{"", "Agenda \xABNada\xBB"}}, 5},
        {{{"", "Agenda {N"}}, 5},
        {{{"", "Agenda {L:,nada}"}}, 5},
    };
    for (const auto& [records, code] : cases) {
        writeCardFile(records);
        const auto run = ctu({"lint", file, "--strict", "--orphans"});
        EXPECT_EQ(run.exitCode, code) << run.out;
        EXPECT_EQ(run.err.empty(), code == 0) << run.err;
    }
}

}  // namespace
