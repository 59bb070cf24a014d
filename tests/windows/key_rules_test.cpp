#include "windows/key_rules.h"

#include <gtest/gtest.h>

namespace cartulo::windows {
namespace {

TEST(KeyRules, CtrlSwallowsCharactersButEditingKeysAndIndexKeysStayInTheList) {
    EXPECT_TRUE(CancelaKeyPress(Qt::Key_A, Qt::ControlModifier));
    EXPECT_TRUE(CancelaKeyPress(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier));
    for (int key : {Qt::Key_Z, Qt::Key_X, Qt::Key_C, Qt::Key_V, Qt::Key_Delete, Qt::Key_Insert}) {
        EXPECT_FALSE(CancelaKeyPress(key, Qt::ControlModifier)) << key;
    }
    EXPECT_FALSE(CancelaKeyPress(Qt::Key_A, Qt::NoModifier));
    EXPECT_FALSE(CancelaKeyPress(Qt::Key_Q, Qt::ControlModifier | Qt::AltModifier));  // AltGr
    // Enter and Tab type a line break and a tab.
    for (int key : {Qt::Key_A, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Tab})
        EXPECT_TRUE(TeclaDeCaracter(key)) << key;
    EXPECT_FALSE(TeclaDeCaracter(Qt::Key_Left) || TeclaDeCaracter(Qt::Key_Backspace));

    // Index navigation stays within the list.
    const auto row = [](int key, Qt::KeyboardModifiers mods, int current) {
        return FilaPorTecla(key, mods, current, 10, 4);
    };
    EXPECT_EQ(row(Qt::Key_Up, {}, 0), 0);
    EXPECT_EQ(row(Qt::Key_Up, {}, 5), 4);
    EXPECT_EQ(row(Qt::Key_Down, {}, 9), 9);
    EXPECT_EQ(row(Qt::Key_Down, {}, -1), 0);
    EXPECT_EQ(row(Qt::Key_PageDown, {}, 5), 8);
    EXPECT_EQ(row(Qt::Key_PageDown, {}, 8), 9);
    EXPECT_EQ(row(Qt::Key_PageUp, {}, 2), 0);
    EXPECT_EQ(row(Qt::Key_Home, Qt::ControlModifier, 5), 0);
    EXPECT_EQ(row(Qt::Key_End, Qt::ControlModifier, 5), 9);
    EXPECT_EQ(row(Qt::Key_Home, {}, 5), std::nullopt);  // edits the field
    EXPECT_EQ(row(Qt::Key_A, {}, 5), std::nullopt);
}

}  // namespace
}  // namespace cartulo::windows
