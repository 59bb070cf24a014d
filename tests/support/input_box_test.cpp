#include <QImage>
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

// What a label paints of its text, as pixels on white.
QImage painted(QLabel& label) {
    label.resize(label.sizeHint());
    QImage image(label.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    label.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

TEST(InputBox, ShowsAnAmpersandInThePromptAsWritten) {
    const QString prompt = "Tom & Jerry";
    frmInputBoxPlus box({prompt, "Título", "texto", {}, {}});
    QLabel* shown = box.PromptLabel();
    EXPECT_EQ(shown->text(), prompt);
    EXPECT_EQ(shown->buddy(), nullptr);  // a buddy would make "&" a keyboard marker
    // It paints exactly what a label showing the text as written paints, and
    // not what one reading "&" as a marker does.
    QLabel asWritten, asMarker;
    for (QLabel* label : {&asWritten, &asMarker}) {
        label->setFont(shown->font());
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(shown->alignment());
        label->setTextInteractionFlags(shown->textInteractionFlags());
        label->setText(prompt);
    }
    QLineEdit buddy;
    asMarker.setBuddy(&buddy);
    EXPECT_TRUE(painted(*shown) == painted(asWritten));
    EXPECT_FALSE(painted(*shown) == painted(asMarker));
    EXPECT_EQ(box.Field()->accessibleName(), prompt);
    // The field still has the keyboard focus, so typing answers the box.
    ASSERT_TRUE(showActive(box));
    EXPECT_EQ(QApplication::focusWidget(), box.Field());
    QTest::keyClicks(box.Field(), "Tom && Jerry");
    type(Qt::Key_Return);
    EXPECT_EQ(box.result(), QDialog::Accepted);
    EXPECT_EQ(box.Field()->text(), "Tom && Jerry");
}

TEST(InputBox, AcceptingGivesTheTextAndCancellingGivesNothing) {
    QtUserDialogs dialogs;
    const auto click = [](const char* name) {
        return [name](QWidget& box) { box.findChild<QPushButton*>(name)->click(); };
    };
    whenModalShown(click("cmdAceptar"));
    EXPECT_EQ(dialogs.InputBoxPlus("Entrada:", {}, "por omisión"), "por omisión");
    whenModalShown([](QWidget&) { type(Qt::Key_Backspace), type(Qt::Key_Return); });
    EXPECT_EQ(dialogs.AskText(kNewCard), QString());  // empty, yet an answer
    whenModalShown(click("cmdCancelar"));
    EXPECT_EQ(dialogs.InputBoxPlus("Entrada:", {}, "no vacío"), "");
    whenModalShown([](QWidget&) { type(Qt::Key_Escape); });
    EXPECT_EQ(dialogs.AskText(kNewCard), std::nullopt);
    whenModalShown([](QWidget& box) { box.close(); });
    EXPECT_EQ(dialogs.AskText(kNewCard), std::nullopt);
}

}  // namespace
}  // namespace cartulo::support
