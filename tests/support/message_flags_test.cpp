#include "support/message_flags.h"

#include <gtest/gtest.h>

#include "qt_test_support.h"

namespace cartulo::support {
namespace {

using enum MsgResult;

TEST(MessageFlags, ButtonSetsWithTheirCodesAndCancellingButtons) {
    const std::tuple<int, std::vector<MsgResult>, MsgResult> cases[] = {
        {0, {Ok}, Ok},
        {1, {Ok, Cancel}, Cancel},
        {2, {Abort, Retry, Ignore}, Abort},
        {3, {Yes, No, Cancel}, Cancel},
        {4, {Yes, No}, No},
        {5, {Retry, Cancel}, Cancel},
        {15, {Ok}, Ok},
    };
    for (const auto& [set, buttons, cancel] : cases) {
        EXPECT_EQ(decodeMessageFlags(set).buttons, buttons) << set;
        EXPECT_EQ(decodeMessageFlags(set).cancelButton, cancel) << set;
    }
    const char* captions[] = {"",           "Aceptar", "Cancelar", "Anular",
                              "Reintentar", "Omitir",  "Sí",       "No"};
    for (int code = 1; code <= 7; ++code) {
        EXPECT_EQ(MsgBoxCaption(MsgResult(code)), captions[code]);
    }
}

TEST(MessageFlags, IconDefaultButtonAndAlignment) {
    EXPECT_EQ(decodeMessageFlags(0).icon, MsgIcon::None);
    EXPECT_EQ(decodeMessageFlags(16).icon, MsgIcon::Critical);
    EXPECT_EQ(decodeMessageFlags(35).icon, MsgIcon::Question);
    EXPECT_EQ(decodeMessageFlags(49).icon, MsgIcon::Exclamation);
    EXPECT_EQ(decodeMessageFlags(64).icon, MsgIcon::Information);
    EXPECT_EQ(decodeMessageFlags(msg::kYesNoCancel | msg::kDefaultButton3).defaultButton, 2u);
    EXPECT_EQ(decodeMessageFlags(msg::kYesNo | msg::kDefaultButton3).defaultButton, 0u);
    EXPECT_TRUE(decodeMessageFlags(msg::kRightAligned).rightAligned);
    EXPECT_EQ(systemSoundName(MsgIcon::Critical), "SystemHand");
    EXPECT_EQ(systemSoundName(MsgIcon::Information), "SystemAsterisk");
    EXPECT_EQ(systemSoundName(MsgIcon::None), ".Default");
}

TEST(MessageFlags, ATypedCharacterChoosesTheFirstButtonWithThatInitial) {
    const std::tuple<int, char16_t, std::optional<MsgResult>> cases[] = {
        {35, u'n', No},   {35, u'S', Yes},  {35, u'a', std::nullopt}, {64, u'a', Ok},
        {2, u'a', Abort}, {2, u'R', Retry}, {2, u'o', Ignore},        {2, u'\r', std::nullopt},
    };
    for (const auto& [flags, typed, result] : cases) {
        EXPECT_EQ(buttonForCharacter(decodeMessageFlags(flags), QChar(typed)), result) << flags;
    }
}

TEST(MessageFlags, CaptionsCanBeChangedAndRefillWhenEntryOneIsCleared) {
    MsgBoxCaptions()[4] = "&Otra vez";
    EXPECT_EQ(buttonForCharacter(decodeMessageFlags(msg::kRetryCancel), u'o'), Retry);
    MsgBoxCaptions()[1].clear();
    EXPECT_EQ(MsgBoxCaption(Retry), "Reintentar");
}

}  // namespace
}  // namespace cartulo::support
