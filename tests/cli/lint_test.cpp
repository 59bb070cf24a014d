// ctu lint: the markup errors of every card, from painting it, in
// card-list order and only for the cards that have any.
#include <algorithm>
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
    // Each message once per card, in the order met; the same message may
    // come back from another card.
    EXPECT_EQ(okOut({"lint", file}),
              "Colores: Color no válido: 1234\n"
              "Etiquetas: Etiqueta no válida: XY:\n"
              "Llaves: Llaves no cerradas\n"
              " <Ficha principal>: Llaves no cerradas\n");
    writeCardFile({{"", "Agenda"}, {"Llaves", "Abiertas"}, kCards[3]});  // clean
    EXPECT_EQ(okOut({"lint", file}), "");
    EXPECT_EQ(okOut({"lint", file, "--json"}), "[]\n");
}

TEST_F(CliTest, LintReportsEveryDistinctErrorOfOneCardInOrder) {
    std::string links;  // one hot zone more than a painting records
    for (int i = 0; i <= 100; ++i) links += "\xABvarios\xBB ";
    writeCardFile({{"", "Agenda"}, {"Varios", "{ZZ:} {Q:abc} {ZZ:} {L:} {N"}, {"Enlaces", links}});
    EXPECT_EQ(okOut({"lint", file, "--json"}),
              R"([{"entry":"Enlaces","errors":["Demasiadas zonas calientes"],"brokenLinks":[]},)"
              R"({"entry":"Varios","errors":["Etiqueta no válida: ZZ:",)"
              R"("Color no válido: abc","Llaves no cerradas"],)"
              R"("brokenLinks":[{"target":"","position":21}]}])"
              "\n");
}

TEST_F(CliTest, LintKeepsEachErrorOnOneLineOfText) {
    // A tag's value may hold a line end; the JSON form keeps it escaped.
    writeCardFile({{"", "Agenda"}, {"Salto", "{Q:12\r\n34}x"}});
    EXPECT_EQ(okOut({"lint", file}), "Salto: Color no válido: 12  34\n");
    EXPECT_EQ(okOut({"lint", file, "--json"}),
              R"([{"entry":"Salto","errors":["Color no válido: 12\u000d\u000a34"],)"
              R"("brokenLinks":[]}])"
              "\n");
}

TEST_F(CliTest, LintStopsAtOneHundredErrorsPerCard) {
    std::string text;
    for (int i = 0; i < 150; ++i) text += "{X" + std::to_string(i) + ":} ";
    writeCardFile({{"", "Agenda"}, {"Muchos", text}});
    const std::string out = okOut({"lint", file});
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 100);
    EXPECT_TRUE(out.starts_with("Muchos: Etiqueta no válida: X0:\n")) << out;
    EXPECT_TRUE(out.ends_with("Muchos: Demasiados errores\n")) << out;
}

}  // namespace
