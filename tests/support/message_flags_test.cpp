#include "support/message_flags.h"

#include <gtest/gtest.h>

#include "qt_test_support.h"

namespace cartulo::support {
namespace {

using enum MsgResult;

TEST(MessageFlags, ButtonSetsIconsDefaultsAndCaptions) {
    const std::tuple<int, std::vector<MsgResult>, MsgResult, MsgIcon> cases[] = {
        {0, {Ok}, Ok, MsgIcon::None},
        {1, {Ok, Cancel}, Cancel, MsgIcon::None},
        {2, {Abort, Retry, Ignore}, Abort, MsgIcon::None},
        {3, {Yes, No, Cancel}, Cancel, MsgIcon::None},
        {4, {Yes, No}, No, MsgIcon::None},
        {5, {Retry, Cancel}, Cancel, MsgIcon::None},
        {15, {Ok}, Ok, MsgIcon::None},
        {16, {Ok}, Ok, MsgIcon::Critical},
        {35, {Yes, No, Cancel}, Cancel, MsgIcon::Question},
        {49, {Ok, Cancel}, Cancel, MsgIcon::Exclamation},
        {64, {Ok}, Ok, MsgIcon::Information}};
    for (const auto& [flags, buttons, cancel, icon] : cases) {
        const auto decoded = decodeMessageFlags(flags);
        EXPECT_EQ(decoded.buttons, buttons) << flags;
        EXPECT_EQ(decoded.cancelButton, cancel) << flags;
        EXPECT_EQ(decoded.icon, icon) << flags;
    }
    EXPECT_EQ(decodeMessageFlags(msg::kYesNoCancel | msg::kDefaultButton3).defaultButton, 2u);
    EXPECT_EQ(decodeMessageFlags(msg::kYesNo | msg::kDefaultButton3).defaultButton, 0u);
    EXPECT_TRUE(decodeMessageFlags(msg::kRightAligned).rightAligned);
    EXPECT_EQ(systemSoundName(MsgIcon::Critical), "SystemHand");
    EXPECT_EQ(systemSoundName(MsgIcon::Information), "SystemAsterisk");
    EXPECT_EQ(systemSoundName(MsgIcon::None), ".Default");
    // A typed character chooses the first button with that initial.
    const std::tuple<int, char16_t, std::optional<MsgResult>> typed[] = {
        {35, u'n', No},   {35, u'S', Yes},  {35, u'a', std::nullopt}, {64, u'a', Ok},
        {2, u'a', Abort}, {2, u'R', Retry}, {2, u'o', Ignore},        {2, u'\r', std::nullopt}};
    for (const auto& [flags, c, result] : typed) {
        EXPECT_EQ(buttonForCharacter(decodeMessageFlags(flags), QChar(c)), result) << flags;
    }
    // Captions can be changed, and refill when entry one is cleared.
    MsgBoxCaptions()[4] = "&Otra vez";
    EXPECT_EQ(buttonForCharacter(decodeMessageFlags(msg::kRetryCancel), u'o'), Retry);
    MsgBoxCaptions()[1].clear();
    EXPECT_EQ(MsgBoxCaption(Retry), "Reintentar");
}

}  // namespace
}  // namespace cartulo::support
