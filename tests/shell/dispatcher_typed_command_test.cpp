// How a typed command line becomes a word and its argument.
#include "shell/typed_command.h"

#include <gtest/gtest.h>

namespace cartulo::shell {
namespace {

TEST(TypedCommand, SplitsAtTheFirstBlankAndTrimsBothParts) {
    EXPECT_FALSE(ParseTypedCommand(""));

    const auto search = ParseTypedCommand("buscar  palabra  ");
    ASSERT_TRUE(search);
    EXPECT_EQ(search->word, QStringLiteral("buscar"));
    EXPECT_EQ(search->argument, QStringLiteral("palabra"));

    const auto open = ParseTypedCommand("abrir /ruta/con espacio.ctu");
    ASSERT_TRUE(open);
    EXPECT_EQ(open->argument, QStringLiteral("/ruta/con espacio.ctu"));

    const auto bare = ParseTypedCommand("guardar");
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->word, QStringLiteral("guardar"));
    EXPECT_FALSE(bare->argument);

    const auto trailing = ParseTypedCommand("buscar ");  // an argument, empty
    ASSERT_TRUE(trailing);
    EXPECT_EQ(trailing->argument, QString());
}

}  // namespace
}  // namespace cartulo::shell
