#include "windows/frm_busqueda.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "fake_main_services.h"

namespace cartulo::windows {
namespace {

using testing::FakeMainServices;

class SearchWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(file->NewFile("Hogar"));
        testing::NewCard(*file, "Casa", "la casa y el perro");
        testing::NewCard(*file, "Perro", "un perro");
        testing::NewCard(*file, "pan", "pan: casa");
        window.SetCartulo(file);
    }
    QStringList rows() const {
        QStringList out;
        for (int i = 0; i < window.lstFichas()->count(); ++i)
            out << window.lstFichas()->item(i)->text();
        return out;
    }
    void type(const QStringList& boxes) {
        while (window.Terminos() < boxes.size()) window.AnadirTermino();
        for (int i = 0; i < boxes.size(); ++i) window.txtTexto(i)->setText(boxes[i]);
        window.Actualizar();
    }

    std::uint32_t now = 1000;
    std::shared_ptr<cCartulo> file = std::make_shared<cCartulo>();
    FakeMainServices services;
    frmBusqueda window{services, [this] { return now; }};
};

TEST_F(SearchWindow, BoxesMakeTheQueryAndPlaceholdersStandForNoResults) {
    const struct {
        QStringList boxes;
        QString query;
        QStringList rows;
    } cases[] = {
        {{""}, "", {"(introduzca el texto a buscar)"}},
        {{"", "perro"}, ",perro", {"(introduzca el texto a buscar)"}},
        {{"casa"}, "casa", {"pan", "Casa"}},
        {{"casa", "perro"}, "casa,perro", {"Casa"}},
        {{"casa", "", "perro"}, "casa,,perro", {"Casa"}},
        {{"gato"}, "gato", {"(no se encontró ninguna ficha)"}},
        {{"-gato"}, "-gato", {"pan", "Perro", "Casa", " <Ficha principal>"}},
    };
    EXPECT_EQ(window.windowTitle(), "Buscar en Hogar");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query.toStdString());
        type(c.boxes);
        EXPECT_EQ(window.Consulta(), c.query);
        EXPECT_EQ(rows(), c.rows);
        EXPECT_EQ(window.lstFichas()->isEnabled(), window.FichaEn(0) != kNoCard);
        QTest::keyClick(window.txtTexto(0), Qt::Key_Escape);
        EXPECT_EQ(window.Terminos(), 1);
    }
}

TEST_F(SearchWindow, OpeningAResultSendsTheSearchWordToItsCardWindow) {
    testing::RecordingCardWindow card;
    const struct {
        QString box0;
        QString fixed;
        bool windowOpens;
        QStringList told;
    } cases[] = {
        {"ntry: pan", "", true, {"BuscarTexto|pan"}},
        {"ntry:pan", "", true, {"BuscarTexto|ntry:pan"}},
        {"", "ntry: pan", true, {"BuscarTexto|pan"}},
        {"ntry: pan", "", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.box0 + c.fixed).toStdString());
        card.told.clear();
        services.shown.clear();
        services.shownWindow = c.windowOpens ? &card : nullptr;
        window.txtTexto(0)->setText(c.box0);
        window.Buscar(c.fixed);
        EXPECT_EQ(window.picPanel()->isHidden(), !c.fixed.isEmpty());
        ASSERT_EQ(rows(), QStringList{"pan"});
        QTest::keyClick(
            c.fixed.isEmpty() ? static_cast<QWidget*>(window.txtTexto(0)) : window.lstFichas(),
            Qt::Key_Return);
        ASSERT_EQ(services.shown.size(), 1u);
        EXPECT_EQ(services.shown[0].id, file->SrchNtry("pan"));
        EXPECT_EQ(card.told, c.told);
    }
}

TEST_F(SearchWindow, ADeletedCardLeavesTheListWithoutANewSearch) {
    type({"perro"});
    ASSERT_EQ(rows(), (QStringList{"Perro", "Casa"}));
    ASSERT_EQ(file->DelCard(file->SrchNtry("Perro")), 0);
    EXPECT_EQ(rows(), QStringList{"Casa"});
    ASSERT_EQ(file->DelCard(file->SrchNtry("Casa")), 0);
    EXPECT_EQ(rows(), QStringList{"(no se encontró ninguna ficha)"});
    EXPECT_FALSE(window.lstFichas()->isEnabled());
}

TEST_F(SearchWindow, FourBoxesAtMostAndTheFirstStays) {
    const auto keypad = Qt::ControlModifier | Qt::KeypadModifier;
    for (int i = 0; i < 4; ++i) QTest::keyClick(window.txtTexto(0), Qt::Key_Plus, keypad);
    EXPECT_EQ(window.Terminos(), 4);
    EXPECT_FALSE(window.AnadirTermino());
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(window.QuitarTermino());
    QTest::keyClick(window.txtTexto(0), Qt::Key_Minus, keypad);
    EXPECT_FALSE(window.QuitarTermino());
    EXPECT_EQ(window.Terminos(), 1);
    window.txtTexto(0)->insert(QStringLiteral("a\u2713b"));  // no card can hold the tick
    EXPECT_EQ(window.txtTexto(0)->text(), "ab");
    EXPECT_EQ(services.status.size(), 1u);
}

TEST_F(SearchWindow, QuickKeystrokesRefreshOnce200MsAfterTheLast) {
    for (const char letter : std::string("casa")) {
        QTest::keyClick(window.txtTexto(0), letter);
        now += 30;
    }
    now += 100;
    QTest::keyClick(window.txtTexto(0), Qt::Key_Backspace);  // the last change, at `now`
    QTest::keyClick(window.txtTexto(0), Qt::Key_A);
    EXPECT_TRUE(window.tmrBuscar().isActive());
    now += 199;
    window.tmrBuscar_Timer();
    EXPECT_EQ(rows(), QStringList{"(introduzca el texto a buscar)"});
    now += 1;
    window.tmrBuscar_Timer();
    EXPECT_EQ(rows(), (QStringList{"pan", "Casa"}));
    EXPECT_FALSE(window.tmrBuscar().isActive());
}

}  // namespace
}  // namespace cartulo::windows
