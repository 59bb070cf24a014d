// Paths and arguments are bytes the system gives; whatever they hold,
// stdout, stderr and JSON stay valid UTF-8.
#include <filesystem>

#include "cli_fixture.h"

namespace {

const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(const std::string& bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 1;
        unsigned min = 0;
        unsigned code = lead;
        if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, min = 0x10000, code = lead & 0x07;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, min = 0x800, code = lead & 0x0F;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, min = 0x80, code = lead & 0x1F;
        } else if (lead >= 0x80) {
            return false;
        }
        if (bytes.size() - i < length) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

TEST(CliUtf8Validator, KnowsValidFromInvalid) {
    EXPECT_TRUE(isValidUtf8("año € 🙂 \x7F"));
    EXPECT_FALSE(isValidUtf8("\xFF"));
    EXPECT_FALSE(isValidUtf8("\xC3"));          // cut short
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));      // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));  // surrogate
}

void expectUtf8(const CtuRun& run) {
    EXPECT_TRUE(isValidUtf8(run.out)) << run.out;
    EXPECT_TRUE(isValidUtf8(run.err)) << run.err;
}

TEST_F(CliTest, FileNameWithInvalidUtf8IsShownWithReplacementCharacters) {
    const std::string bad = dir.path("bad\xFF.ctu");
    const std::string shown = dir.path("bad" + kReplacement + ".ctu");
    const auto created = ctu({"new", bad, "--title", "Agenda"});
    ASSERT_EQ(created.exitCode, 0) << created.err;
    ASSERT_TRUE(std::filesystem::exists(bad));

    const auto json = ctu({"info", bad, "--json"});
    EXPECT_EQ(json.exitCode, 0) << json.err;
    expectUtf8(json);
    EXPECT_NE(json.out.find(kReplacement), std::string::npos) << json.out;
    EXPECT_NE(json.out.find(R"("file":")" + shown + "\","), std::string::npos) << json.out;

    const auto text = ctu({"info", bad});
    EXPECT_EQ(text.exitCode, 0) << text.err;
    expectUtf8(text);
    EXPECT_NE(text.out.find("\nArchivo: " + shown + "\n"), std::string::npos) << text.out;

    // Messages naming the path.
    const auto again = ctu({"new", bad});
    EXPECT_EQ(again.exitCode, 4);
    expectUtf8(again);
    EXPECT_NE(again.err.find("«" + shown + "» ya existe"), std::string::npos) << again.err;

    const auto missing = ctu({"list", dir.path("otro\xFE\xFF.ctu")});
    EXPECT_EQ(missing.exitCode, 2);
    expectUtf8(missing);
    EXPECT_NE(missing.err.find("otro" + kReplacement + kReplacement + ".ctu"), std::string::npos)
        << missing.err;

    const auto noText = ctu({"add", bad, "Nota", "--text-file", dir.path("nota\x80.txt")});
    EXPECT_EQ(noText.exitCode, 2);
    expectUtf8(noText);
    EXPECT_NE(noText.err.find("nota" + kReplacement + ".txt"), std::string::npos) << noText.err;
}

TEST_F(CliTest, ArgumentsWithInvalidUtf8AreQuotedAsUtf8) {
    writeCardFile({{"", "Agenda"}, {"Pan", "x"}});
    const auto unknownEntry = ctu({"show", file, "Pa\xC3n\xFF"});
    EXPECT_EQ(unknownEntry.exitCode, 3);
    expectUtf8(unknownEntry);
    EXPECT_NE(unknownEntry.err.find("«Pa" + kReplacement + "n" + kReplacement + "»"),
              std::string::npos)
        << unknownEntry.err;

    const auto unknownCommand = ctu({"mostrar\xE2\x82"});
    EXPECT_EQ(unknownCommand.exitCode, 1);
    expectUtf8(unknownCommand);
    EXPECT_NE(unknownCommand.err.find("«mostrar" + kReplacement + kReplacement + "»"),
              std::string::npos)
        << unknownCommand.err;

    const auto unknownOption = ctu({"list", file, "--\xFF"});
    EXPECT_EQ(unknownOption.exitCode, 1);
    expectUtf8(unknownOption);
}

}  // namespace
