// ctu info: every statistic of a card file, for a person and as JSON.
#include "cli_fixture.h"

namespace {

TEST_F(CliTest, InfoReportsEveryStatisticWithSistersCounted) {
    // C shares A's text; the title loses its brace markup and its second line.
    writeCardFile({{"", "{b}Canciones de Espa\361a\r\nde siempre"},
                   {"A", "texto"},
                   {"B", "otro"},
                   {"C", "@@A"}});

    EXPECT_EQ(okOut({"info", file}),
              "Título: Canciones de España\nArchivo: " + file +
                  "\nEtiqueta: CANCIONES DE ESPAÑA\nFichas: 4\nHermanas: 1\nTamaño estimado: 83 "
                  "bytes\nCapacidad usada: 0.08%\nVersión del motor: " CARTULO_VERSION "\n");

    EXPECT_EQ(okOut({"info", file, "--json"}),
              R"({"title":"Canciones de España","file":")" + file +
                  R"(","tag":"CANCIONES DE ESPAÑA","cards":4,"sisters":1,)"
                  R"("size":83,"capacity":0.08,"version":")" CARTULO_VERSION "\"}\n");
    // The capacity is a percentage with two decimals.
    std::vector<Record> records{{"", "Agenda"}};
    for (int i = 2; i <= 50; ++i) records.push_back({"F" + std::to_string(i), "t"});
    writeCardFile(records);
    EXPECT_NE(okOut({"info", file}).find("\nCapacidad usada: 1.00%\n"), std::string::npos);
    EXPECT_NE(okOut({"info", file, "--json"}).find(R"("capacity":1.00,)"), std::string::npos);
}

}  // namespace
