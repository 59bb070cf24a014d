// Edits the file format or the card rules cannot take: exit 4, a message,
// and the file left exactly as it was.
#include "cli_fixture.h"

namespace {

TEST_F(CliTest, RefusedEditsLeaveTheFileByteIdentical) {
    writeCardFile({{"", "Agenda"}, {"Pan", "x"}, {"Canci\xF3n", "la"}});
    const std::string before = readBytes(file);
    const std::string cantStore = "no se puede guardar", main = "ficha principal";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"add", "PAN"}, "«PAN» ya está en uso"},
        {{"alias", "Pan", "Canción"}, "«Canción» ya está en uso"},
        {{"rename", "Pan", "CANCIÓN"}, "«CANCIÓN» ya está en uso"},
        {{"rename", "", "Portada"}, main},
        {{"delete", " <Ficha principal>"}, "principal no se puede borrar"},
        {{"add", std::string(100, 'e'), "--text", "a"}, cantStore},
        {{"set", "Pan", "--text", std::string(100000, 't')}, cantStore},
        // 99999 characters once LF became CR LF is one too many.
        {{"set", "Pan", "--text", std::string(99998, 't') + "\n"}, cantStore},
        {{"set", "Pan", "--text", "@@Canción"}, cantStore},
        {{"set", "Pan", "--text", "a → b"}, "«→» (U+2192)"},
        {{"add", "A→B"}, "«→» (U+2192)"},
        {{"rename", "Pan", "Pan🙂"}, "«🙂» (U+1F642)"},
        {{"new", "--title", "Otra"}, "ya existe"},
    };
    for (const auto& [words, message] : cases) {
        std::vector<std::string> args = words;
        args.insert(args.begin() + 1, file);
        SCOPED_TRACE(words[0] + " " + words[1].substr(0, 20));
        expectFailure(ctu(args), 4, message);
        EXPECT_EQ(readBytes(file), before);
    }
}

TEST_F(CliTest, FullFileRefusesNewCardsAndSisters) {
    std::vector<Record> records{{"", "Agenda"}};
    for (int i = 2; i <= 5000; ++i) records.push_back({"F" + std::to_string(i), "t"});
    writeCardFile(records);
    const std::string before = readBytes(file);
    for (const auto& args : {std::vector<std::string>{"add", file, "Otra"},
                             std::vector<std::string>{"alias", file, "F2", "Otra"}}) {
        const auto run = ctu(args);
        EXPECT_EQ(run.exitCode, 4);
        EXPECT_NE(run.err.find("No caben más fichas"), std::string::npos) << run.err;
    }
    EXPECT_EQ(readBytes(file), before);
}

// Any storable text is at most 3 bytes of UTF-8 a character; reading stops
// one byte past that, so endless input is refused rather than exhausting memory.
const std::size_t kMaxTextBytes = 3 * 99999;
const std::string kTooLong = "más largo de lo que cabe en una ficha";

TEST_F(CliTest, EndlessTextOrOneBytePastTheBoundIsRefusedAndTheBoundReadWhole) {
    writeCardFile({{"", "Agenda"}, {"Pan", "x"}});
    const std::string before = readBytes(file);
    const std::string input(kMaxTextBytes + 1, 't');
    const std::string textFile = dir.path("largo.txt");
    writeBytes(textFile, input);
    for (const auto& [args, stdinText] :
         {std::pair{std::vector<std::string>{"set", file, "Pan", "--text-file", "/dev/zero"},
                    std::string()},
          {{"add", file, "Nueva", "--text-file=/dev/zero"}, ""},
          {{"set", file, "Pan", "--text-file", "-"}, input},
          {{"set", file, "Pan", "--text-file", textFile}, ""}}) {
        expectFailure(ctu(args, stdinText), 4, kTooLong);
    }
    EXPECT_EQ(readBytes(file), before);
    // The longest storable text in bytes is read whole.
    std::string longest;
    for (std::size_t i = 0; i < 99999; ++i) longest += "€";  // 3 bytes each
    ASSERT_EQ(longest.size(), kMaxTextBytes);
    okOut({"set", file, "Pan", "--text-file", "-"}, longest);
    EXPECT_EQ(readBytes(file),
              cardFileBytes({{"", "Agenda"}, {"Pan", std::string(99999, '\x80')}}));
}

TEST_F(CliTest, LimitsOfTheFormatAreAccepted) {
    writeCardFile({{"", "Agenda"}, {"Pan", "x"}});
    const std::string entry99(99, 'e');
    EXPECT_EQ(ctu({"rename", file, "Pan", entry99}).exitCode, 0);
    EXPECT_EQ(ctu({"set", file, entry99, "--text", std::string(99999, 't')}).exitCode, 0);
    EXPECT_EQ(ctu({"set", file, entry99, "--text", "x@@"}).exitCode, 0);
    EXPECT_EQ(ctu({"add", file, "Precio €", "--text", "5 € «ñ»"}).exitCode, 0);
    EXPECT_EQ(
        readBytes(file),
        cardFileBytes({{"", "Agenda"}, {"Precio \x80", "5 \x80 \xAB\xF1\xBB"}, {entry99, "x@@"}}));
    // Only the main card's text may begin with "@@".
    EXPECT_EQ(ctu({"set", file, "", "--text", "@@x"}).exitCode, 0);
    EXPECT_EQ(ctu({"show", file, ""}).out, "@@x");
    EXPECT_EQ(ctu({"new", dir.path("nuevo.ctu"), "--title", "@@x"}).exitCode, 0);
    EXPECT_EQ(readBytes(dir.path("nuevo.ctu")), cardFileBytes({{"", "@@x"}}));
}

}  // namespace
