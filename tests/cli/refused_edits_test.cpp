// Edits the file format or the card rules cannot take: exit 4, a message,
// and the file left exactly as it was.
#include "cli_fixture.h"

namespace {

struct Refusal {
    std::string name;
    std::string command;
    std::vector<std::string> args;  // after FILE
    std::string message;            // part of what stderr must say
};

std::ostream& operator<<(std::ostream& os, const Refusal& r) {
    return os << r.name;
}

class RefusedEdit : public CliTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusedEdit, LeavesTheFileByteIdentical) {
    writeCardFile({{"", "Agenda"}, {"Pan", "x"}, {"Canci\xF3n", "la"}});
    const std::string before = readBytes(file);
    std::vector<std::string> args{GetParam().command, file};
    args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());

    const auto run = ctu(args);
    EXPECT_EQ(run.exitCode, 4) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_EQ(readBytes(file), before);
}

const std::string kLongEntry(100, 'e');
const std::string kLongText(100000, 't');

INSTANTIATE_TEST_SUITE_P(
    Cli, RefusedEdit,
    ::testing::Values(
        Refusal{"AddUsedEntry", "add", {"PAN"}, "«PAN» ya está en uso"},
        Refusal{"AddMainCardName", "add", {" <Ficha principal>"}, "ya está en uso"},
        Refusal{"AddEmptyEntry", "add", {""}, "ficha principal"},
        Refusal{"AliasUsedEntry", "alias", {"Pan", "Canción"}, "«Canción» ya está en uso"},
        Refusal{"RenameToUsedEntry", "rename", {"Pan", "CANCIÓN"}, "«CANCIÓN» ya está en uso"},
        Refusal{"RenameToEmpty", "rename", {"Pan", ""}, "ficha principal"},
        Refusal{"RenameMainCard", "rename", {"", "Portada"}, "ficha principal"},
        Refusal{"DeleteMainCard", "delete", {" <Ficha principal>"}, "principal no se puede borrar"},
        Refusal{"AddOverlongEntry", "add", {kLongEntry, "--text", "a"}, "no se puede guardar"},
        Refusal{"SetOverlongText", "set", {"Pan", "--text", kLongText}, "no se puede guardar"},
        // 99999 characters once LF became CR LF is one too many.
        Refusal{"SetTextOverlongAfterCrLf",
                "set",
                {"Pan", "--text", std::string(99998, 't') + "\n"},
                "no se puede guardar"},
        Refusal{
            "SetSisterReferenceText", "set", {"Pan", "--text", "@@Canción"}, "no se puede guardar"},
        Refusal{"SetArrowText", "set", {"Pan", "--text", "a → b"}, "«→» (U+2192)"},
        Refusal{"AddArrowEntry", "add", {"A→B"}, "«→» (U+2192)"},
        Refusal{"RenameToEmojiEntry", "rename", {"Pan", "Pan🙂"}, "«🙂» (U+1F642)"},
        Refusal{"NewOverExistingFile", "new", {"--title", "Otra"}, "ya existe"}),
    [](const ::testing::TestParamInfo<Refusal>& info) { return info.param.name; });

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

TEST_F(CliTest, EndlessTextFileIsRefusedWithoutReadingItAll) {
    writeCardFile({{"", "Agenda"}, {"Pan", "x"}});
    const std::string before = readBytes(file);
    for (const auto& args :
         {std::vector<std::string>{"set", file, "Pan", "--text-file", "/dev/zero"},
          std::vector<std::string>{"add", file, "Nueva", "--text-file=/dev/zero"}}) {
        const auto run = ctu(args);
        EXPECT_EQ(run.exitCode, 4) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(kTooLong), std::string::npos) << run.err;
    }
    EXPECT_EQ(readBytes(file), before);
}

TEST_F(CliTest, TextOneBytePastTheBoundIsRefusedFromStdinAndDisk) {
    writeCardFile({{"", "Agenda"}, {"Pan", "x"}});
    const std::string before = readBytes(file);
    const std::string input(kMaxTextBytes + 1, 't');
    const auto fromStdin = ctu({"set", file, "Pan", "--text-file", "-"}, input);
    EXPECT_EQ(fromStdin.exitCode, 4) << fromStdin.err;
    EXPECT_NE(fromStdin.err.find(kTooLong), std::string::npos) << fromStdin.err;

    const std::string textFile = dir.path("largo.txt");
    writeBytes(textFile, input);
    const auto fromDisk = ctu({"set", file, "Pan", "--text-file", textFile});
    EXPECT_EQ(fromDisk.exitCode, 4) << fromDisk.err;
    EXPECT_NE(fromDisk.err.find(kTooLong), std::string::npos) << fromDisk.err;
    EXPECT_EQ(readBytes(file), before);
}

TEST_F(CliTest, LongestStorableTextInBytesIsReadWhole) {
    writeCardFile({{"", "Agenda"}, {"Pan", "x"}});
    std::string input;
    for (std::size_t i = 0; i < 99999; ++i) input += "€";  // 3 bytes each
    ASSERT_EQ(input.size(), kMaxTextBytes);
    const auto run = ctu({"set", file, "Pan", "--text-file", "-"}, input);
    EXPECT_EQ(run.exitCode, 0) << run.err;
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
