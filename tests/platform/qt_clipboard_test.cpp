// A card copied in one file and pasted in another through Qt's clipboard.
#include "platform/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include "engine/cartulo.h"

namespace cartulo::platform {
namespace {

class QtClipboardTest : public ::testing::Test {
  protected:
    void SetUp() override { SetClipboard(std::make_shared<QtClipboard>()); }
    void TearDown() override { SetClipboard(nullptr); }
};

TEST_F(QtClipboardTest, CopyAndPasteAgreeEvenForAnUndefinedCheckByte) {
    cCartulo from, to;
    from.NewFile("Origen");
    to.NewFile("Destino");
    // A 97-character entry makes the check character the byte 0x81.
    const std::string entry = std::string(96, 'e') + "\xF1";
    const CardId card = from.NewCard(entry);
    ASSERT_GT(card, 0);
    from.SetTxt(card, "Canci\xF3n con \x80 y \x9D\r\nsegunda l\xEDnea");
    from.CopyCard(card);

    const QString onClipboard = QGuiApplication::clipboard()->text();
    EXPECT_EQ(onClipboard.at(2), QChar(0x81));
    EXPECT_TRUE(onClipboard.endsWith("CaRd"));

    const CardId pasted = to.PasteCard();
    ASSERT_GT(pasted, 0);
    EXPECT_EQ(to.GetNtry(pasted), entry);
    EXPECT_EQ(to.GetTxt(pasted), from.GetTxt(card));
}

// What the engine makes of these is its own tests' business.
TEST_F(QtClipboardTest, TextFromOtherProgramsIsReadMarkedWhenIncompleteAndNothingWhenEmpty) {
    QGuiApplication::clipboard()->setText(QString::fromUtf8("Hola, señor"));
    EXPECT_EQ(QtClipboard().GetText()->text, "Hola, se\xF1or");
    EXPECT_FALSE(QtClipboard().GetText()->incomplete);
    QGuiApplication::clipboard()->setText(QString::fromUtf8("1 !Aflecha →CaRd"));
    EXPECT_EQ(QtClipboard().GetText()->text, "1 !Aflecha ?CaRd");
    EXPECT_TRUE(QtClipboard().GetText()->incomplete);
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(QtClipboard().GetText().has_value());
}

}  // namespace
}  // namespace cartulo::platform
