#include "shell/file_dialogs.h"

#include <gtest/gtest.h>

using cartulo::shell::ScriptedFileDialogs;

TEST(ScriptedFileDialogs, AnswersInOrderThenCancels) {
    ScriptedFileDialogs dialogs;
    dialogs.QueueSave(QString("/tmp/a.ctu"));
    dialogs.QueueSave(std::nullopt);
    EXPECT_EQ(dialogs.AskSave("x.ctu"), QString("/tmp/a.ctu"));
    EXPECT_FALSE(dialogs.AskSave("y.ctu"));
    EXPECT_FALSE(dialogs.AskSave("z.ctu"));
    EXPECT_FALSE(dialogs.AskOpen(""));
    EXPECT_EQ(dialogs.SaveProposals().size(), 3u);
}
