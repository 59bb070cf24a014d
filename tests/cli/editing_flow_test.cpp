// One card file taken through every editing command, checking what each
// step prints and the exact bytes it leaves on disk.
#include "cli_fixture.h"

namespace {

TEST_F(CliTest, EditingFlowKeepsFileAndListsInStep) {
    okOut({"new", file, "--title", "Agenda"});
    EXPECT_EQ(readBytes(file), cardFileBytes({{"", "Agenda"}}));

    okOut({"add", file, "Pan", "--text", "x"});
    EXPECT_EQ(readBytes(file), cardFileBytes({{"", "Agenda"}, {"Pan", "x"}}));

    // The newest card comes first in the card list, so the sister holds the
    // text and Pan refers to it.
    okOut({"alias", file, "pan", "Pan2"});
    EXPECT_EQ(readBytes(file), cardFileBytes({{"", "Agenda"}, {"Pan2", "x"}, {"Pan", "@@Pan2"}}));

    // Loading links each record at the head: reverse file order, main last.
    EXPECT_EQ(okOut({"list", file, "--json"}),
              R"([{"id":3,"entry":"Pan"},{"id":2,"entry":"Pan2"},{"id":1,"entry":""}])"
              "\n");

    okOut({"rename", file, "Pan2", "Canción"});
    EXPECT_EQ(readBytes(file),
              cardFileBytes({{"", "Agenda"}, {"Pan", "x"}, {"Canci\xF3n", "@@Pan"}}));

    // Entries compare case-insensitively, accents included; LF becomes CR LF.
    okOut({"set", file, "CANCIÓN", "--text", "línea 1\nlínea 2\n"});
    const std::string stored = "l\xEDnea 1\r\nl\xEDnea 2\r\n";
    EXPECT_EQ(readBytes(file),
              cardFileBytes({{"", "Agenda"}, {"Canci\xF3n", stored}, {"Pan", "@@Canci\xF3n"}}));
    EXPECT_EQ(okOut({"show", file, "Pan"}), "línea 1\r\nlínea 2\r\n");

    okOut({"delete", file, "Pan"});
    EXPECT_EQ(readBytes(file), cardFileBytes({{"", "Agenda"}, {"Canci\xF3n", stored}}));
    EXPECT_EQ(
        ctu({"show", file, "Canción", "--json"}).out,
        R"({"id":2,"entry":"Canción","text":"línea 1\u000d\u000alínea 2\u000d\u000a","sisters":[]})"
        "\n");
}

TEST_F(CliTest, NewFileWithoutTitleGetsTheDefaultOne) {
    okOut({"new", file});
    EXPECT_EQ(readBytes(file), cardFileBytes({{"", "NUEVO CARTULO"}}));
}

TEST_F(CliTest, AddWithoutTextCopiesTheMasterCard) {
    writeCardFile({{"", "Agenda"}, {"Ficha maestra", "Nombre: \r\nTel: "}});
    okOut({"add", file, "Juan"});
    EXPECT_EQ(ctu({"show", file, "Juan"}).out, "Nombre: \r\nTel: ");
    okOut({"add", file, "Ana", "--text", ""});
    EXPECT_EQ(ctu({"show", file, "Ana"}).out, "");
}

TEST_F(CliTest, MainCardIsNamedByEmptyEntryOrItsListName) {
    writeCardFile({{"", "Agenda\r\nde casa"}, {"Portada", "@@"}});
    const std::string byEmpty = okOut({"show", file, "", "--json"});
    EXPECT_EQ(byEmpty,
              R"({"id":1,"entry":"","text":"Agenda\u000d\u000ade casa","sisters":["Portada"]})"
              "\n");
    EXPECT_EQ(ctu({"show", file, " <Ficha principal>", "--json"}).out, byEmpty);
    EXPECT_EQ(ctu({"show", file, "Portada", "--json"}).out,
              R"({"id":2,"entry":"Portada","text":"Agenda\u000d\u000ade casa","sisters":[""]})"
              "\n");

    okOut({"set", file, " <Ficha principal>", "--text", "Otra"});
    EXPECT_EQ(readBytes(file), cardFileBytes({{"", "Otra"}, {"Portada", "@@"}}));
}

TEST_F(CliTest, HumanListShowsEveryCardOnItsOwnLine) {
    writeCardFile({{"", "Agenda"}, {"B", ""}, {" oculta", ""}, {"A\xF1o", ""}});
    EXPECT_EQ(okOut({"list", file}),
              "   4  Año\n   3   oculta\n   2  B\n   1   <Ficha principal>\n");
}

TEST_F(CliTest, TextFileMayComeFromStdinOrDiskWithEitherLineEnd) {
    writeCardFile({{"", "Agenda"}, {"Nota", ""}});
    okOut({"set", file, "Nota", "--text-file", "-"}, "uno\r\ndos\ntres");
    EXPECT_EQ(ctu({"show", file, "Nota"}).out, "uno\r\ndos\r\ntres");

    const std::string textFile = dir.path("nota.txt");
    writeBytes(textFile, "€ 5\n\nfin\r\n");
    okOut({"add", file, "Precio", "--text-file", textFile});
    EXPECT_EQ(readBytes(file), cardFileBytes({{"", "Agenda"},
                                              {"Precio", "\x80 5\r\n\r\nfin\r\n"},
                                              {"Nota", "uno\r\ndos\r\ntres"}}));
}

}  // namespace
