#include "windows/frm_indice.h"

#include <QLineEdit>
#include <QListView>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fake_main_services.h"
#include "windows/index_model.h"
#include "windows/shown_title.h"

namespace cartulo::windows {
namespace {

using testing::FakeMainServices;

class IndexWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(file->NewFile("Fauna y flora"));
        for (const char* entry : {"oso", "\xC1rbol", "abeja", "\361and\372", "nube", "Zorro"}) {
            ASSERT_GT(file->NewCard(entry), 0);
        }
        window = std::make_unique<frmIndice>(services);
        window->SetCartulo(file);
    }

    QStringList rows() const {
        QStringList out;
        for (int i = 0; i < window->Modelo().Filas(); ++i) out << window->Modelo().TextoEn(i);
        return out;
    }
    QString selected() const { return window->Modelo().TextoEn(window->Seleccionado()); }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(window->txtIndice(), k, mods);
    }

    std::shared_ptr<cCartulo> file = std::make_shared<cCartulo>();
    FakeMainServices services;
    std::unique_ptr<frmIndice> window;
};

TEST_F(IndexWindow, ListsEveryEntrySortedWithTheMainCardFirst) {
    EXPECT_EQ(rows(), (QStringList{" <Ficha principal>", "abeja", "Árbol", "nube", "ñandú", "oso",
                                   "Zorro"}));
    EXPECT_EQ(window->Seleccionado(), 0);
    EXPECT_EQ(window->Modelo().FichaEn(0), file->GetMain());
    EXPECT_EQ(window->Comando("PermiteEdicion"), QVariant(true));
    EXPECT_EQ(window->Comando("permitebusqueda"), QVariant(false));
    EXPECT_EQ(window->Comando("MultiLine"), QVariant(false));
}

// The title is the main card's first line, however long; captions show its
// first words, whole up to the limit.
TEST(ShownTitle, CaptionsShowTheFirstWordsOfALongTitle) {
    EXPECT_EQ(ShownTitle(std::string(kShownTitleLength, 'a')), QString(kShownTitleLength, 'a'));
    EXPECT_EQ(ShownTitle(std::string(kShownTitleLength + 1, 'a')),
              QString(kShownTitleLength, 'a') + QChar(0x2026));
    std::string words;
    while (words.size() < 20'000) words += "\xE1rbol ";
    auto file = std::make_shared<cCartulo>();
    ASSERT_TRUE(file->NewFile(words));
    FakeMainServices services;
    frmIndice window(services);
    window.SetCartulo(file);
    // 16 words of six characters and their spaces; the 17th would pass the limit.
    EXPECT_EQ(window.windowTitle(),
              QStringLiteral("Índice de árbol") + QStringLiteral(" árbol").repeated(15) + u'…');
}

TEST_F(IndexWindow, TypingOrKeysMoveTheListAndEnterOpensTheCard) {
    QTest::keyClicks(window->txtIndice(), "arb");
    EXPECT_EQ(selected(), "Árbol");
    EXPECT_EQ(window->txtIndice()->text(), "arb");  // typing never overwrites the field
    window->txtIndice()->setText("xilofono");       // nothing shares the first letter
    EXPECT_EQ(selected(), "Árbol");
    window->txtIndice()->setText(QStringLiteral("ña"));
    EXPECT_EQ(selected(), "ñandú");
    key(Qt::Key_Escape);
    EXPECT_EQ(window->txtIndice()->text(), "");
    EXPECT_EQ(window->Seleccionado(), 0);
    // Navigation keys copy the selection into the field; Enter opens it.
    key(Qt::Key_Down);
    EXPECT_EQ(selected(), "abeja");
    EXPECT_EQ(window->txtIndice()->selectedText(), "abeja");
    key(Qt::Key_End, Qt::ControlModifier);
    key(Qt::Key_Up);
    EXPECT_EQ(window->txtIndice()->text(), "oso");
    key(Qt::Key_Return);
    ASSERT_EQ(services.shown.size(), 1u);
    EXPECT_EQ(services.shown[0].id, file->SrchNtry("oso"));
    key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(window->Seleccionado(), 0);
    EXPECT_EQ(window->txtIndice()->text(), "");  // the main card puts an empty text
}

TEST_F(IndexWindow, FollowsNewRenamedAndDeletedCardsKeepingARenamedSelection) {
    const CardId mango = file->NewCard("Mango");
    EXPECT_EQ(rows().indexOf("Mango"), 3);
    window->Seleccionar(rows().indexOf("nube"));
    ASSERT_EQ(file->SetNtry(file->SrchNtry("nube"), "Amapola"), EntryCheck::Ok);
    EXPECT_EQ(selected(), "Amapola");
    EXPECT_EQ(window->Seleccionado(), 2);  // after "abeja", before "Árbol"
    EXPECT_FALSE(rows().contains("nube"));
    ASSERT_EQ(file->DelCard(mango), 0);
    EXPECT_FALSE(rows().contains("Mango"));
    EXPECT_EQ(selected(), "Amapola");
    ASSERT_EQ(file->DelCard(file->SrchNtry("Amapola")), 0);
    EXPECT_EQ(window->Seleccionado(), -1);
    key(Qt::Key_Down);
    EXPECT_EQ(window->Seleccionado(), 0);
}

TEST_F(IndexWindow, PagesByTheLinesThatFitAndDocksTopRight) {
    for (int i = 0; i < 60; ++i) file->NewCard("pagina " + std::to_string(100 + i * 37 % 60));
    window->Actualizar();
    for (int i = 2; i < window->Modelo().Filas(); ++i) {
        ASSERT_LT(window->Modelo().ClaveEn(i - 1), window->Modelo().ClaveEn(i)) << i;
    }
    // Typed while hidden: the row is at the top once the list shows.
    window->txtIndice()->setText("pagina 130");
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_EQ(window->pos(), QPoint(services.clientArea.width() - window->width(), 0));
    EXPECT_EQ(selected(), "pagina 130");
    EXPECT_EQ(window->lstIndice()->indexAt({1, 1}).row(), window->Seleccionado());
    key(Qt::Key_Escape);
    const int page = window->TamanoPagina();
    ASSERT_GT(page, 2);
    key(Qt::Key_PageDown);
    EXPECT_EQ(window->Seleccionado(), page - 1);
    key(Qt::Key_PageUp);
    EXPECT_EQ(window->Seleccionado(), 0);
    key(Qt::Key_End, Qt::ControlModifier);
    key(Qt::Key_PageDown);
    EXPECT_EQ(window->Seleccionado(), window->Modelo().Filas() - 1);

    key(Qt::Key_Home, Qt::ControlModifier);
    const QRect row = window->lstIndice()->visualRect(window->Modelo().index(1, 0));
    QTest::mouseClick(window->lstIndice()->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(window->txtIndice()->text(), window->Modelo().TextoEn(1));
    window->txtIndice()->setText("x");  // matches nothing: clicked again, the row is selected
    ASSERT_EQ(window->Seleccionado(), 1);
    QTest::mouseClick(window->lstIndice()->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(window->txtIndice()->selectedText(), window->Modelo().TextoEn(1));
    QTest::mouseDClick(window->lstIndice()->viewport(), Qt::LeftButton, {}, row.center());
    ASSERT_FALSE(services.shown.empty());
    EXPECT_EQ(services.shown.back().id, window->Modelo().FichaEn(1));

    window->Comando("CERRAR");
    ASSERT_EQ(services.closed.size(), 1u);
    EXPECT_EQ(services.closed[0], window.get());
    file->NewCard("tras cerrar");  // a closed window hears nothing more
    EXPECT_FALSE(rows().contains("tras cerrar"));
}

}  // namespace
}  // namespace cartulo::windows
