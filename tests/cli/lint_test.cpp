// ctu lint: the markup errors of every card, from painting it, in
// card-list order and only for the cards that have any.
#include <string>

#include "cli_fixture.h"

namespace {

// Loading puts the last record first: the card list is Colores, Limpia,
// Etiquetas, Llaves, then the main card.
const std::vector<Record> kCards = {
    {"", "{N}Agenda{N\r\nPrimera ficha"},
    {"Llaves", "Texto {N}con llaves {C abiertas"},
    {"Etiquetas", "{XY:1} y {Q:verde}bien{Q} y {XY:2}"},
    {"Limpia", "{N}Negrita{N}, {C}cursiva{C}, {Q:rojo}rojo{Q}, \xABLlaves\xBB y {T:14}m\xE1s."},
    {"Colores", "{Q:1234}uno {W:1234}dos {Q:naranja}tres"},
};

TEST_F(CliTest, LintListsEachErrorOfTheCardsThatHaveAny) {
    writeCardFile(kCards);
    const auto run = ctu({"lint", file});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    // Each message once per card, in the order met; the same message may
    // come back from another card.
    EXPECT_EQ(run.out,
              "Colores: Color no válido: 1234\n"
              "Etiquetas: Etiqueta no válida: XY:\n"
              "Llaves: Llaves no cerradas\n"
              " <Ficha principal>: Llaves no cerradas\n");
    // JSON holds the same cards, the main card's entry empty.
    const auto json = ctu({"lint", file, "--json"});
    EXPECT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out,
              R"([{"entry":"Colores","errors":["Color no válido: 1234"],"brokenLinks":[]},)"
              R"({"entry":"Etiquetas","errors":["Etiqueta no válida: XY:"],"brokenLinks":[]},)"
              R"({"entry":"Llaves","errors":["Llaves no cerradas"],"brokenLinks":[]},)"
              R"({"entry":"","errors":["Llaves no cerradas"],"brokenLinks":[]}])"
              "\n");
}

TEST_F(CliTest, LintOfACleanFilePrintsNothingAndSucceeds) {
    writeCardFile({{"", "Agenda"}, {"Llaves", "Abiertas"}, kCards[3]});
    const auto text = ctu({"lint", file});
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out, "");
    const auto json = ctu({"lint", file, "--json"});
    EXPECT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out, "[]\n");
}

TEST_F(CliTest, LintReportsEveryDistinctErrorOfOneCardInOrder) {
    std::string links;  // one hot zone more than a painting records
    for (int i = 0; i <= 100; ++i) links += "\xABvarios\xBB ";
    writeCardFile({{"", "Agenda"}, {"Varios", "{ZZ:} {Q:abc} {ZZ:} {L:} {N"}, {"Enlaces", links}});
    const auto run = ctu({"lint", file, "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, R"([{"entry":"Enlaces","errors":["Demasiadas zonas calientes"],)"
                       R"("brokenLinks":[]},{"entry":"Varios","errors":["Etiqueta no válida: ZZ:",)"
                       R"("Color no válido: abc","Llaves no cerradas"],)"
                       R"("brokenLinks":[{"target":"","position":21}]}])"
                       "\n");
}

TEST_F(CliTest, LintKeepsEachErrorOnOneLineOfText) {
    // A tag's value may hold a line end; the JSON form keeps it escaped.
    writeCardFile({{"", "Agenda"}, {"Salto", "{Q:12\r\n34}x"}});
    const auto text = ctu({"lint", file});
    EXPECT_EQ(text.out, "Salto: Color no válido: 12  34\n");
    const auto json = ctu({"lint", file, "--json"});
    EXPECT_EQ(json.out, R"([{"entry":"Salto","errors":["Color no válido: 12\u000d\u000a34"],)"
                        R"("brokenLinks":[]}])"
                        "\n");
}

TEST_F(CliTest, LintStopsAtOneHundredErrorsPerCard) {
    std::string text;
    for (int i = 0; i < 150; ++i) text += "{X" + std::to_string(i) + ":} ";
    writeCardFile({{"", "Agenda"}, {"Muchos", text}});
    const auto run = ctu({"lint", file});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::size_t lines = 0;
    for (char c : run.out) lines += c == '\n';
    EXPECT_EQ(lines, 100u);
    EXPECT_TRUE(run.out.starts_with("Muchos: Etiqueta no válida: X0:\n")) << run.out;
    EXPECT_TRUE(run.out.ends_with("Muchos: Demasiados errores\n")) << run.out;
}

TEST_F(CliTest, LintOfAnUnreadableFileGivesTwo) {
    expectFailure(ctu({"lint", dir.path("no-existe.ctu")}), 2, " (código 53)");
}

}  // namespace
