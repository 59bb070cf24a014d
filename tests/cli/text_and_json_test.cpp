// The UTF-8 faces of the tool (arguments, stdout, JSON) against the
// Windows-1252 bytes of the file.
#include "cli_fixture.h"

namespace {

TEST_F(CliTest, JsonEscapesQuotesBackslashesAndControls) {
    writeCardFile({{"", "Agenda"}, {"Dice \"hola\"", "a\\b\t\x01\r\n\177fin"}});
    EXPECT_EQ(ctu({"show", file, "dice \"HOLA\"", "--json"}).out,
              R"({"id":2,"entry":"Dice \"hola\"","text":"a\\b\u0009\u0001\u000d\u000a)"
              "\x7F"
              R"(fin","sisters":[]})"
              "\n");
}

// Every byte a card can hold survives show and set: nothing is lost or
// changed on the way through UTF-8.
TEST_F(CliTest, ShowOutputFedBackToSetLeavesTheFileUnchanged) {
    std::string everyByte;
    for (int b = 0; b < 256; ++b) {
        if (b != '\n') everyByte += static_cast<char>(b);
    }
    everyByte += "\r\n";
    writeCardFile({{"", "Agenda"}, {"Bytes", everyByte}});
    const std::string before = readBytes(file);

    okOut({"set", file, "Bytes", "--text-file", "-"}, okOut({"show", file, "Bytes"}));
    EXPECT_EQ(readBytes(file), before);
}

}  // namespace
