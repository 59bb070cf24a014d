// Usage errors, unreadable or unwritable files and unknown entries, each
// with its exit code and a message on stderr only.
#include <filesystem>

#include "cli_fixture.h"

namespace {

using Args = std::vector<std::string>;

TEST_F(CliTest, MalformedCommandLinesAreUsageErrors) {
    writeCardFile({{"", "Agenda"}, {"Pan", "x"}});
    const std::string before = readBytes(file), png = dir.path("x.png");
    for (const Args& args : {Args{},
                             {"borrar", file, "Pan"},
                             {"show", file},
                             {"show", file, "Pan", "sobra"},
                             {"show", file, "Pan", "--color"},
                             {"add", file, "Nueva", "--json"},
                             {"add", file, "Nueva", "--text", "a", "--text-file", "-"},
                             {"add", file, "Nueva", "--text", "a", "--text", "b"},
                             {"add", file, "Nueva", "--text"},
                             {"set", file, "Pan"},
                             {"delete", file, "--Pan"},
                             {"search", file},
                             {"search", file, "-", "Pan"},
                             {"send"},
                             {"send", "activar", "sobra"},
                             {"formula", "x"},
                             {"formula", "x", "--check", "--out", png},
                             {"draw", "1"},
                             {"draw", "1", "--out", png, "--check"},
                             {"draw", "--check"},
                             {"draw", "1", "2", "--check"},
                             {"draw", "1", "--check", "--width", "0"},
                             {"draw", "1", "--check", "--height", "16385"},
                             {"draw", "1", "--check", "--width", "12x"},
                             {"draw", "1", "--check", "--width", "16384", "--height", "16384"},
                             {"draw", "1", "--check", "--json"},
                             {"render", file, ""},
                             {"render", file, "", "--out", png, "--width", "0"},
                             {"render", file, "", "--out", png, "--width", "ancho"},
                             {"render", file, "", "--out", png, "--width", "99999"},
                             {"render", file, "", "--out", png, "--json"}}) {
        SCOPED_TRACE(::testing::PrintToString(args));
        expectFailure(ctu(args), 1, "Uso:");
    }
    EXPECT_EQ(readBytes(file), before);
    EXPECT_FALSE(std::filesystem::exists(png));

    const auto help = ctu({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Uso:"), std::string::npos);
}

TEST_F(CliTest, OneLeadingHyphenIsAnOperandAndDoubleDashEndsTheOptions) {
    writeCardFile({{"", "Agenda"}});
    EXPECT_EQ(ctu({"add", file, "-5 grados", "--text", "-menos"}).exitCode, 0);
    EXPECT_EQ(ctu({"show", file, "-5 grados"}).out, "-menos");
    EXPECT_EQ(ctu({"search", file, "-menos", "--json"}).out, "[{\"id\":1,\"entry\":\"\"}]\n");
    EXPECT_EQ(ctu({"add", file, "--text=x", "--", "--json"}).exitCode, 0);
    EXPECT_EQ(ctu({"show", file, "--", "--json"}).out, "x");
    EXPECT_EQ(ctu({"set", file, "--text-file", "-", "--", "--json"}, "de stdin").exitCode, 0);
    EXPECT_EQ(ctu({"show", file, "--", "--json"}).out, "de stdin");
    EXPECT_NE(ctu({"-h"}).out.find("Uso:"), std::string::npos);
}

// An empty `code` accepts any engine code.
void expectFileError(const CtuRun& run, const std::string& code) {
    expectFailure(run, 2, " (código " + code);
    EXPECT_TRUE(run.err.ends_with('\n'));
}

TEST_F(CliTest, UnreadableFileGivesTwoWithTheEngineCode) {
    const std::string missing = dir.path("no-existe.ctu");
    for (const Args& args :
         {Args{"info", missing}, Args{"list", missing, "--json"}, Args{"show", missing, ""},
          Args{"search", missing, "Pan"}, Args{"add", missing, "A"}, Args{"delete", missing, "A"},
          Args{"lint", missing}}) {
        expectFileError(ctu(args), "53");
    }
    EXPECT_FALSE(std::filesystem::exists(missing));

    writeBytes(file, "abc  \r\n");
    expectFileError(ctu({"list", file}), "5");
    // A NUL and a line end quoted from the header neither cut nor break the message.
    for (const std::string& header : {std::string("1\0   ", 5), std::string("1\r\n  ")}) {
        writeBytes(file, header + "\r\n");
        const auto damaged = ctu({"info", file});
        expectFileError(damaged, "5)");
        EXPECT_EQ(damaged.err.find('\n'), damaged.err.size() - 1) << damaged.err;
    }

    // A record cut short: the file ends inside it.
    writeBytes(file, cardFileBytes({{"", "Agenda"}, {"Pan", "x"}}).substr(0, 20));
    expectFileError(ctu({"info", file}), "62");

    expectFileError(ctu({"info", dir.path("")}), "75");
}

TEST_F(CliTest, UnwritableTargetGivesTwo) {
    const auto run = ctu({"new", dir.path("sin-carpeta/nuevo.ctu")});
    expectFileError(run, "");
    EXPECT_FALSE(std::filesystem::exists(dir.path("sin-carpeta")));

    writeCardFile({{"", "Agenda"}});
    const std::string before = readBytes(file);
    expectFailure(ctu({"add", file, "Nota", "--text-file", dir.path("no.txt")}), 2, "no.txt");
    EXPECT_EQ(readBytes(file), before);
}

TEST_F(CliTest, UnknownEntryGivesThree) {
    writeCardFile({{"", "Agenda"}, {"Pan", "x"}});
    const std::string before = readBytes(file);
    for (const Args& args :
         {Args{"show", file, "Pain"}, Args{"show", file, "Pán"},
          Args{"set", file, "Pain", "--text", "y"}, Args{"rename", file, "Pain", "Pan3"},
          Args{"alias", file, "Pain", "Pan3"}, Args{"delete", file, "Pain"},
          Args{"show", file, "Pan→"}}) {
        expectFailure(ctu(args), 3, "No se encontró la ficha «" + args[2] + "».");
    }
    EXPECT_EQ(readBytes(file), before);
}

}  // namespace
