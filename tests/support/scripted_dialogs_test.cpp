#include "support/scripted_user_dialogs.h"

#include <gtest/gtest.h>

#include "qt_test_support.h"

namespace cartulo::support {
namespace {

using enum MsgResult;

TEST(ScriptedDialogs, AnswersFromTheQueueAndRecordsWhatWasAsked) {
    ScriptedUserDialogs dialogs;
    dialogs.QueueAnswer(No);
    dialogs.QueueAnswer(Retry);
    dialogs.QueueText("Nueva");
    dialogs.QueueCancel();
    EXPECT_EQ(dialogs.MsgBoxPlus("Hecho.", {}, msg::kInformation), Ok);  // takes no answer
    EXPECT_EQ(dialogs.MsgBoxPlus("¿Guardar?", "detalle", 35, "Cerrar Cartulo"), No);
    EXPECT_EQ(dialogs.MsgBoxPlus("¿Guardar?", {}, msg::kYesNoCancel),
              Cancel);                                               // Retry does not fit
    EXPECT_EQ(dialogs.MsgBoxPlus("¿Seguir?", {}, msg::kYesNo), No);  // nothing queued
    EXPECT_EQ(dialogs.InputBoxPlus("Entrada:", "Título", "sin título"), "Nueva");
    EXPECT_EQ(dialogs.AskText({"Entrada:", {}, "algo", {}, {}}), std::nullopt);
    EXPECT_EQ(dialogs.InputBoxPlus("Entrada:", {}, "algo"), "");
    EXPECT_EQ(dialogs.Unanswered(), 3);
    EXPECT_TRUE(dialogs.AllAnswersUsed());
    ASSERT_EQ(dialogs.Messages().size(), 4u);
    const MessageRequest& asked = dialogs.Messages()[1];
    EXPECT_EQ(std::tie(asked.text, asked.detail, asked.flags, asked.title),
              std::make_tuple("¿Guardar?", "detalle", 35, "Cerrar Cartulo"));
    ASSERT_EQ(dialogs.Inputs().size(), 3u);
    EXPECT_EQ(dialogs.Inputs()[0].defaultText, "sin título");
}

}  // namespace
}  // namespace cartulo::support
