#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include "qt_test_support.h"
#include "support/frm_input_box_plus.h"
#include "support/qt_user_dialogs.h"

namespace cartulo::support {
namespace {

using testing::showActive;
using testing::type;
using testing::whenModalShown;

const InputRequest kNewCard{"Entrada:", "Nueva ficha", "sin título", "Hasta 99 caracteres.", {}};

TEST(InputBox, ShowsItsTextsWithTheWholeDefaultSelectedWheneverTheFieldHasTheFocus) {
    frmInputBoxPlus box(kNewCard);
    EXPECT_EQ(box.windowTitle(), "Nueva ficha");
    EXPECT_EQ(box.PromptLabel()->text(), "Entrada:");
    EXPECT_EQ(box.DetailLabel()->text(), "Hasta 99 caracteres.");
    EXPECT_EQ(box.AcceptButton()->text(), "&Aceptar");
    EXPECT_EQ(box.CancelButton()->text(), "&Cancelar");
    ASSERT_TRUE(showActive(box));
    EXPECT_EQ(QApplication::focusWidget(), box.Field());
    EXPECT_EQ(box.Field()->selectedText(), "sin título");
    box.Field()->deselect();
    type(Qt::Key_Tab);
    type(Qt::Key_Backtab);
    EXPECT_EQ(box.Field()->selectedText(), "sin título");
    QTest::keyClicks(box.Field(), "Árbol");
    type(Qt::Key_Return);
    EXPECT_EQ(box.result(), QDialog::Accepted);
    EXPECT_EQ(box.Field()->text(), "Árbol");
}

TEST(InputBox, AcceptingGivesTheTextAndCancellingGivesNothing) {
    QtUserDialogs dialogs;
    whenModalShown([](QWidget& box) { box.findChild<QPushButton*>("cmdAceptar")->click(); });
    EXPECT_EQ(dialogs.InputBoxPlus("Entrada:", {}, "por omisión"), "por omisión");
    whenModalShown([](QWidget&) {
        type(Qt::Key_Backspace);
        type(Qt::Key_Return);
    });
    EXPECT_EQ(dialogs.AskText(kNewCard), QString());  // empty, yet an answer

    whenModalShown([](QWidget& box) { box.findChild<QPushButton*>("cmdCancelar")->click(); });
    EXPECT_EQ(dialogs.InputBoxPlus("Entrada:", {}, "no vacío"), "");
    whenModalShown([](QWidget&) { type(Qt::Key_Escape); });
    EXPECT_EQ(dialogs.AskText(kNewCard), std::nullopt);
    whenModalShown([](QWidget& box) { box.close(); });
    EXPECT_EQ(dialogs.AskText(kNewCard), std::nullopt);
}

}  // namespace
}  // namespace cartulo::support
