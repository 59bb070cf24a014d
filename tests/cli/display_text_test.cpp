// Paths and arguments are bytes the system gives; whatever they hold,
// stdout, stderr and JSON stay valid UTF-8.
#include <filesystem>

#include "cli_fixture.h"

namespace {

const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Strict UTF-8 (no overlong forms, no surrogates) decodes and encodes back unchanged.
bool isValidUtf8(const std::string& bytes) {
    return QString::fromUtf8(bytes).toUtf8() == QByteArray::fromStdString(bytes);
}

// The run's exit code, both streams valid UTF-8, and `shown` in stdout on
// success, else in stderr.
void expectUtf8(const CtuRun& run, int exitCode, const std::string& shown) {
    EXPECT_EQ(run.exitCode, exitCode) << run.err;
    EXPECT_TRUE(isValidUtf8(run.out)) << run.out;
    EXPECT_TRUE(isValidUtf8(run.err)) << run.err;
    EXPECT_NE((exitCode == 0 ? run.out : run.err).find(shown), std::string::npos)
        << run.out << run.err;
}

TEST_F(CliTest, FileNameWithInvalidUtf8IsShownWithReplacementCharacters) {
    const std::string bad = dir.path("bad\xFF.ctu");
    const std::string shown = dir.path("bad" + kReplacement + ".ctu");
    okOut({"new", bad, "--title", "Agenda"});
    ASSERT_TRUE(std::filesystem::exists(bad));
    expectUtf8(ctu({"info", bad, "--json"}), 0, R"("file":")" + shown + "\",");
    expectUtf8(ctu({"info", bad}), 0, "\nArchivo: " + shown + "\n");
    // Messages naming the path.
    expectUtf8(ctu({"new", bad}), 4, "«" + shown + "» ya existe");
    expectUtf8(ctu({"list", dir.path("otro\xFE\xFF.ctu")}), 2,
               "otro" + kReplacement + kReplacement + ".ctu");
    expectUtf8(ctu({"add", bad, "Nota", "--text-file", dir.path("nota\x80.txt")}), 2,
               "nota" + kReplacement + ".txt");
}

TEST_F(CliTest, ArgumentsWithInvalidUtf8AreQuotedAsUtf8) {
    writeCardFile({{"", "Agenda"}, {"Pan", "x"}});
    expectUtf8(ctu({"show", file, "Pa\xC3n\xFF"}), 3,
               "«Pa" + kReplacement + "n" + kReplacement + "»");
    expectUtf8(ctu({"mostrar\xE2\x82"}), 1, "«mostrar" + kReplacement + kReplacement + "»");
    expectUtf8(ctu({"list", file, "--\xFF"}), 1, "");
}

}  // namespace
