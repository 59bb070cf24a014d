#include "platform/text_codec.h"

#include <gtest/gtest.h>

namespace cartulo::platform {
namespace {

TEST(TextCodecTest, EveryByteSurvivesTheTripThroughQString) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    const QString q = toQString(all);
    ASSERT_EQ(q.size(), 256);
    EXPECT_EQ(q.at(0x80), QChar(0x20AC));  // €
    EXPECT_EQ(q.at(0x81), QChar(0x81));    // undefined byte, carried as its C1 control
    EXPECT_EQ(q.at(0xF1), QChar(0xF1));    // ñ
    const FromQString back = fromQString(q);
    EXPECT_EQ(back.text, all);
    EXPECT_TRUE(back.unstorable.empty());
}

TEST(TextCodecTest, CharactersTheCodePageCannotHoldAreReportedNotReplaced) {
    const FromQString out = fromQString(QString::fromUtf8("a→b😀ñ"));
    EXPECT_EQ(out.text, "ab\xF1");
    EXPECT_EQ(out.unstorable, (std::vector<char32_t>{U'→', U'😀'}));
}

}  // namespace
}  // namespace cartulo::platform
