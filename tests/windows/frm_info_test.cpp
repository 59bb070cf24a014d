#include "windows/frm_info.h"

#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

#include "windows/propiedades_cartulo.h"

namespace cartulo::windows {
namespace {

const QLocale kC = QLocale::c();
const QLocale kEs(QLocale::Spanish, QLocale::Spain);

TEST(PropiedadesCartulo, SizesAndCapacityFollowTheThresholdsAndTheLocale) {
    struct Caso {
        std::int64_t size;
        const QLocale& locale;
        const char* shown;
    };
    for (const Caso& c : {Caso{0, kC, "0 bytes"},
                          {999, kEs, "999 bytes"},
                          {1000, kC, "0.98 Kb."},
                          {1000, kEs, "0,98 Kb."},
                          {1152, kC, "1.13 Kb."},  // 1.125: half away from zero
                          {1'023'999, kC, "1000.00 Kb."},
                          {1'024'000, kC, "0.98 Mb."},
                          {1'048'575'999, kEs, "1000,00 Mb."},
                          {1'048'576'000, kC, "0.98 Gb."},
                          {5'000'000'000, kEs, "4,66 Gb."}}) {
        EXPECT_EQ(FormatoTamano(c.size, c.locale), QString::fromUtf8(c.shown)) << c.size;
    }
    EXPECT_EQ(FormatoCapacidad(50 * 100.0f / 5000, kC), QStringLiteral("1.00%"));
    EXPECT_EQ(FormatoCapacidad(4 * 100.0f / 5000, kEs), QStringLiteral("0,08%"));
    // Totals of nearly full files pass 32 bits.
    FileInfo full;
    full.cards = 5000;
    full.size = 500'000'000;
    TotalesCartulos totals;
    for (int i = 0; i < 9; ++i) totals.Anadir(full);
    EXPECT_EQ(totals.cartulos, 9);
    EXPECT_EQ(totals.fichas, 45'000);
    EXPECT_EQ(FormatoTamano(totals.tamano, kC), QStringLiteral("4.19 Gb."));
}

struct LocaleScope {  // the default locale for one test
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(before); }
    QLocale before;
};

TEST(FrmInfo, ShowsTheFileAsCtuInfoDoesAndTheTotalsOfEveryOpenFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // The file `ctu info` reports as 4 cards, 1 sister, 83 bytes, 0.08%.
    auto songs = std::make_shared<cCartulo>();
    songs->NewFile("x");
    songs->SetTxt(songs->GetMain(), "{b}Canciones de Espa\361a\r\nde siempre");
    const CardId a = songs->NewCard("A");
    songs->SetTxt(a, "texto");
    songs->SetTxt(songs->NewCard("B"), "otro");
    songs->NewAlias(a, "C");
    const std::string path = dir.filePath("canciones.ctu").toStdString();
    ASSERT_TRUE(songs->SaveFile(path));
    auto unsaved = std::make_shared<cCartulo>();
    unsaved->NewFile("Otro");  // 1 card of 0 + 4 + 9 characters
    auto third = std::make_shared<cCartulo>();
    third->NewFile("Tres");
    cCartulos registry;
    registry.AddFile(songs);
    registry.AddFile(unsaved);
    registry.AddFile(third);

    const LocaleScope spanish(kEs);
    frmInfo window(registry);
    window.Cargar(*songs);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Propiedades de Canciones de España"));
    const auto field = [&](const char* name) { return window.Campo(QString::fromUtf8(name)); };
    for (auto [name, shown] : {std::pair{"txtArchivo", QStringLiteral("canciones.ctu")},
                               {"txtUbicacion", dir.path()},
                               {"txtFichas", QStringLiteral("4")},
                               {"txtHermanas", QStringLiteral("1")},
                               {"txtTamaño", QStringLiteral("83 bytes")},
                               {"txtCapacidad", QStringLiteral("0,08%")},
                               {"txtCartulos", QStringLiteral("3")},
                               {"txtFichasTotal", QStringLiteral("6")},
                               {"txtTamañoTotal", QStringLiteral("109 bytes")}}) {
        EXPECT_EQ(field(name)->text(), shown) << name;
        EXPECT_TRUE(field(name)->isReadOnly());
    }

    EXPECT_FALSE(songs->GetChanged());  // it only reads
}

}  // namespace
}  // namespace cartulo::windows
