// ctu info: every statistic of a card file, for a person and as JSON.
#include "cli_fixture.h"

namespace {

TEST_F(CliTest, InfoReportsEveryStatisticWithSistersCounted) {
    // C shares A's text; the title loses its brace markup and its second line.
    writeCardFile({{"", "{b}Canciones de Espa\361a\r\nde siempre"},
                   {"A", "texto"},
                   {"B", "otro"},
                   {"C", "@@A"}});

    const auto text = ctu({"info", file});
    EXPECT_EQ(text.exitCode, 0) << text.err;
    EXPECT_EQ(text.out,
              "Título: Canciones de España\nArchivo: " + file +
                  "\nEtiqueta: CANCIONES DE ESPAÑA\nFichas: 4\nHermanas: 1\nTamaño estimado: 83 "
                  "bytes\nCapacidad usada: 0.08%\nVersión del motor: " CARTULO_VERSION "\n");

    const auto json = ctu({"info", file, "--json"});
    EXPECT_EQ(json.exitCode, 0) << json.err;
    EXPECT_EQ(json.out, R"({"title":"Canciones de España","file":")" + file +
                            R"(","tag":"CANCIONES DE ESPAÑA","cards":4,"sisters":1,)"
                            R"("size":83,"capacity":0.08,"version":")" CARTULO_VERSION "\"}\n");
}

TEST_F(CliTest, InfoCapacityIsAPercentageWithTwoDecimals) {
    std::vector<Record> records{{"", "Agenda"}};
    for (int i = 2; i <= 50; ++i) records.push_back({"F" + std::to_string(i), "t"});
    writeCardFile(records);
    const auto text = ctu({"info", file});
    EXPECT_NE(text.out.find("\nCapacidad usada: 1.00%\n"), std::string::npos) << text.out;
    const auto json = ctu({"info", file, "--json"});
    EXPECT_NE(json.out.find(R"("capacity":1.00,)"), std::string::npos) << json.out;
}

}  // namespace
