#include "windows/frm_busqueda_global.h"

#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include "fake_main_services.h"
#include "windows/global_hit_list.h"

namespace cartulo::windows {
namespace {

class GlobalSearch : public ::testing::Test {
  protected:
    void SetUp() override {
        for (auto& [file, title] : {std::pair{a, "Uno"}, std::pair{b, "Casa grande"}}) {
            ASSERT_TRUE(file->NewFile(title));
            registry.AddFile(file);
        }
        gato = testing::NewCard(*a, "Gato", "sin nada");
        perro = testing::NewCard(*b, "Perro", "un perro en casa");
        casa = b->NewCard("Casa");
    }

    // Opens the pop-up on the query, closing the one before; `meanwhile` runs once the first
    // file is walked.
    frmBusquedaGlobal& open(const QString& query, std::function<void()> meanwhile = {}) {
        if (popup && !popup->Cerrada()) popup->Cerrar();
        popup = new frmBusquedaGlobal(services, registry, [this](int key, Qt::KeyboardModifiers) {
            keysHandedOn.push_back(key);
            return true;
        });
        popup->resize(300, 400);
        if (meanwhile) QTimer::singleShot(0, popup, meanwhile);
        popup->Mostrar(query);
        return *popup;
    }
    QStringList rows() const {
        QStringList out;
        for (int i = 0; popup && i < static_cast<int>(popup->lstRes()->Filas().size()); ++i) {
            out << popup->Fila(i);
        }
        return out;
    }
    int id(const std::shared_ptr<cCartulo>& f) const {
        return registry.ID(registry.FindFile(f.get()));
    }
    QString header(const std::shared_ptr<cCartulo>& f, const char* title) const {
        return QStringLiteral("1,%1,%2").arg(id(f)).arg(title);
    }
    QString hit(const std::shared_ptr<cCartulo>& f, CardId c, const QString& entry) const {
        return QStringLiteral("2,%1:%2,%3").arg(id(f)).arg(c).arg(entry);
    }
    void clickRow(int row) {
        GlobalHitList* list = popup->lstRes();
        const int h = list->AltoFila();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, row * h + h / 2));
    }

    void TearDown() override {
        delete popup.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    cCartulos registry;
    std::shared_ptr<cCartulo> a = std::make_shared<cCartulo>(), b = std::make_shared<cCartulo>();
    CardId gato = 0, perro = 0, casa = 0;
    testing::FakeMainServices services;
    QPointer<frmBusquedaGlobal> popup;
    std::vector<int> keysHandedOn;
};

TEST_F(GlobalSearch, RowsGroupedByFileAndTheKeysMoveOverHitsOnly) {
    open("casa");  // only the second file matches: in its title, an entry and a text
    EXPECT_EQ(rows(),
              (QStringList{header(b, "Casa grande"), hit(b, casa, "Casa"), hit(b, perro, "Perro"),
                           hit(b, b->GetMain(), " <Ficha principal>")}));
    EXPECT_EQ(popup->lstRes()->Seleccionado(), 1);

    a->SetTxt(gato, "casa");
    services.debug = true;
    open("ntry:casa,-gato");  // a colon: sent unchanged
    ASSERT_EQ(rows().size(), 3);
    EXPECT_EQ(rows()[1], hit(b, casa, "Casa"));
    EXPECT_TRUE(rows()[2].startsWith("0,,Tiempo: "));

    open("casa");
    const struct {
        Qt::Key key;
        int selected;
    } moves[] = {{Qt::Key_Down, 3}, {Qt::Key_Down, 4},   {Qt::Key_Down, 5}, {Qt::Key_Down, 5},
                 {Qt::Key_Up, 4},   {Qt::Key_PageUp, 1}, {Qt::Key_Up, 1},   {Qt::Key_PageDown, 5}};
    for (const auto& m : moves) {
        QTest::keyClick(popup->lstRes(), m.key);
        EXPECT_EQ(popup->lstRes()->Seleccionado(), m.selected) << m.key;
    }
    QTest::keyClick(popup->lstRes(), Qt::Key_F7);  // not the list's: the main window's
    EXPECT_EQ(keysHandedOn, std::vector<int>{Qt::Key_F7});
    QTest::keyClick(popup->lstRes(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return popup.isNull(); }));

    open("zzz");
    EXPECT_EQ(rows().at(0), "0,,No se encontraron elementos.");
}

TEST_F(GlobalSearch, HeadersDoNothingAndAHitOpensItsCardAndClosesThePopup) {
    testing::RecordingCardWindow card;
    services.shownWindow = &card;
    open("perro");
    clickRow(0);
    EXPECT_TRUE(services.shown.empty());
    EXPECT_FALSE(popup->Cerrada());
    clickRow(1);
    ASSERT_EQ(services.shown.size(), 1u);
    EXPECT_EQ(services.shown[0].file, b);
    EXPECT_EQ(services.shown[0].id, perro);
    EXPECT_EQ(card.told, QStringList{"BuscarTextoSilencio|perro"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return popup.isNull(); }));

    // A file before it closed: the hit still opens its own card.
    open("casa");
    registry.RemoveItem(registry.FindFile(a.get()));
    QTest::keyClick(popup->lstRes(), Qt::Key_Return);
    ASSERT_EQ(services.shown.size(), 2u);
    EXPECT_EQ(services.shown[1].file, b);
    EXPECT_EQ(services.shown[1].id, casa);

    // A card deleted, or a file closed, after the search opens nothing.
    const std::pair<int, std::function<void()>> gone[] = {
        {2, [&] { b->DelCard(perro); }},
        {1, [&] { registry.RemoveItem(registry.FindFile(b.get())); }}};
    for (const auto& [row, makeGone] : gone) {
        open("casa");
        popup->lstRes()->Seleccionar(row);
        makeGone();
        QTest::keyClick(popup->lstRes(), Qt::Key_Return);
        EXPECT_EQ(services.shown.size(), 2u);
        EXPECT_EQ(services.status.back(), "La ficha ya no existe.");
    }
}

TEST_F(GlobalSearch, EachFileIsWalkedInOneGoWhateverHappensBetweenFiles) {
    a->SetTxt(gato, "casa");
    const QStringList both = {header(a, "Uno"),         hit(a, gato, "Gato"),
                              header(b, "Casa grande"), hit(b, casa, "Casa"),
                              hit(b, perro, "Perro"),   hit(b, b->GetMain(), " <Ficha principal>")};
    open("casa", [&] { b->FindFirst(""); });  // another window's search of the same file
    EXPECT_EQ(rows(), both);

    open("casa", [&] { registry.RemoveItem(registry.FindFile(b.get())); });
    EXPECT_EQ(rows(), both.mid(0, 2));

    open("casa", [&] { popup->Cerrar(); });  // the pop-up went away: the search stops
    EXPECT_TRUE(QTest::qWaitFor([&] { return popup.isNull(); }));
}

}  // namespace
}  // namespace cartulo::windows
