#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "qt_test_support.h"
#include "support/frm_msg_box_plus.h"
#include "support/msg_box_plus.h"
#include "support/qt_user_dialogs.h"

namespace cartulo::support {
namespace {

using enum MsgResult;
using testing::showActive;
using testing::type;
using testing::whenModalShown;

MessageRequest request(int flags, QString text = "Texto", QString detail = {}) {
    return {std::move(text), std::move(detail), flags, "Título", {}};
}

// Shows the box, lets `act` answer it, and gives the code it closed with.
template <typename Act>
int answer(int flags, Act act) {
    frmMsgBoxPlus box(request(flags));
    if (!showActive(box)) return -1;
    act(box);
    return box.isVisible() ? -1 : box.result();
}

TEST(MsgBox, ShowsTitleTextDetailIconAndTheSpanishButtonsOfEverySet) {
    const std::vector<std::vector<QString>> sets = {{"Aceptar"},
                                                    {"Aceptar", "Cancelar"},
                                                    {"Anular", "Reintentar", "Omitir"},
                                                    {"Sí", "No", "Cancelar"},
                                                    {"Sí", "No"},
                                                    {"Reintentar", "Cancelar"}};
    for (int set = 0; set < 6; ++set) {
        frmMsgBoxPlus box(request(set));
        std::vector<QString> captions;
        for (QPushButton* b : box.Buttons()) captions.push_back(b->text());
        EXPECT_EQ(captions, sets[std::size_t(set)]) << set;
        EXPECT_EQ(box.IconLabel(), nullptr);
        EXPECT_EQ(box.DetailLabel(), nullptr);
    }
    frmMsgBoxPlus box(request(35 | msg::kRightAligned, "<b>¿Guardar?</b>", "Ha cambiado."), nullptr,
                      1.25);
    EXPECT_EQ(box.windowTitle(), "Título");
    EXPECT_EQ(box.TextLabel()->text(), "<b>¿Guardar?</b>");
    EXPECT_EQ(box.TextLabel()->textFormat(), Qt::PlainText);
    EXPECT_TRUE(box.TextLabel()->alignment() & Qt::AlignRight);
    ASSERT_NE(box.DetailLabel(), nullptr);
    EXPECT_EQ(box.DetailLabel()->text(), "Ha cambiado.");
    EXPECT_LT(box.DetailLabel()->font().pointSizeF(), box.TextLabel()->font().pointSizeF());
    ASSERT_NE(box.IconLabel(), nullptr);
    // Drawn at the scaled size, not stretched.
    EXPECT_EQ(box.IconLabel()->size(), QSize(40, 40));
    EXPECT_FALSE(box.IconLabel()->hasScaledContents());
    EXPECT_FALSE(box.IconLabel()->pixmap().isNull());
}

TEST(MsgBox, LongTextsAreWrapped) {
    const QString text =
        "No se puede abrir /home/ana/" + QString(200, 'x') + ".ctu porque no existe.";
    frmMsgBoxPlus large(request(msg::kCritical, text));
    EXPECT_GT(large.TextLabel()->text().count('\n'), 1);
    EXPECT_EQ(QString(large.TextLabel()->text()).remove('\n').remove(' '),
              QString(text).remove(' '));
    EXPECT_LE(large.TextLabel()->sizeHint().width(), frmMsgBoxPlus::kMaxTextWidth + 20);
}

TEST(MsgBox, EnterTabAndTypedInitialsAnswer) {
    // Enter answers the default button, which has the focus; Tab moves between the buttons.
    EXPECT_EQ(answer(msg::kYesNoCancel, [](auto&) { type(Qt::Key_Return); }), int(Yes));
    EXPECT_EQ(answer(msg::kYesNoCancel | msg::kDefaultButton2,
                     [](frmMsgBoxPlus& box) {
                         EXPECT_EQ(QApplication::focusWidget(), box.Button(No));
                         EXPECT_TRUE(box.Button(No)->isDefault());
                         type(Qt::Key_Enter);
                     }),
              int(No));
    EXPECT_EQ(answer(2 | msg::kDefaultButton3, [](auto&) { type(Qt::Key_Return); }), int(Ignore));
    EXPECT_EQ(answer(msg::kYesNoCancel,
                     [](frmMsgBoxPlus& box) {
                         type(Qt::Key_Tab), type(Qt::Key_Tab);
                         EXPECT_EQ(QApplication::focusWidget(), box.Button(Cancel));
                         type(Qt::Key_Backtab), type(Qt::Key_Return);
                     }),
              int(No));
    EXPECT_EQ(answer(35, [](auto&) { type(Qt::Key_S, "S"); }), int(Yes));
    EXPECT_EQ(answer(2, [](auto&) { type(Qt::Key_R, "r"); }), int(Retry));
    EXPECT_EQ(answer(msg::kYesNo,
                     [](frmMsgBoxPlus& box) {
                         type(Qt::Key_X, "x");  // no button begins with it
                         EXPECT_TRUE(box.isVisible());
                         box.close();
                     }),
              int(No));
}

TEST(MsgBox, EscapeAndTheCloseButtonAnswerTheCancellingButton) {
    const std::pair<int, MsgResult> cases[] = {{0, Ok},     {1, Cancel}, {2, Abort},
                                               {3, Cancel}, {4, No},     {5, Cancel}};
    for (const auto& [flags, cancel] : cases) {
        EXPECT_EQ(answer(flags, [](auto&) { type(Qt::Key_Escape); }), int(cancel)) << flags;
        EXPECT_EQ(answer(flags, [](frmMsgBoxPlus& box) { box.close(); }), int(cancel)) << flags;
    }
}

TEST(MsgBox, ShownModallyOverItsOwnerAndScaled) {
    QWidget owner;
    owner.resize(800, 600);
    ASSERT_TRUE(showActive(owner));
    QtUserDialogs dialogs(&owner, 1.25);
    whenModalShown([&](QWidget& box) {
        EXPECT_EQ(box.parentWidget(), &owner);
        EXPECT_DOUBLE_EQ(box.font().pointSizeF(), owner.font().pointSizeF() * 1.25);
        type(Qt::Key_N, "n");
    });
    EXPECT_EQ(dialogs.MsgBoxPlus("¿Seguir?", {}, 35), No);
    whenModalShown([](QWidget& box) { box.close(); });
    EXPECT_EQ(mMsgBoxPlus::MsgBoxPlus(request(msg::kYesNo), nullptr, 1.0), No);
}

}  // namespace
}  // namespace cartulo::support
