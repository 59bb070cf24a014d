// New cards, sisters, the master card and what happens when a file is full.
#include "shell/new_entries.h"
#include "tests/shell/frm_main_fixture.h"

namespace cartulo::shell::testing {
namespace {

using windows::ChildKind;

std::shared_ptr<cCartulo> NewFileWith(const std::vector<std::string>& entries) {
    auto file = std::make_shared<cCartulo>();
    file->NewFile("Prueba");
    for (const std::string& entry : entries) file->NewCard(entry);
    return file;
}

TEST(NewEntries, NewCardsTakeTheFirstFreeNumberBuiltOnNuevaFicha) {
    auto file = NewFileWith({"Nueva ficha", "Nueva ficha (2)", "Gatos"});
    EXPECT_EQ(EntradaNuevaFicha(*file, ""), "Nueva ficha (3)");
    EXPECT_EQ(EntradaNuevaFicha(*file, "Perros"), "Perros");
    EXPECT_EQ(EntradaNuevaFicha(*file, "GATOS"), "Nueva ficha (3)");  // case ignored
    EXPECT_EQ(EntradaNuevaFicha(*file, std::string(100, 'x')), "Nueva ficha (3)");
}

TEST(NewEntries, SistersAreNamedAfterTheirSourceAndAlwaysFit) {
    auto file = NewFileWith({"Gatos", "Hermana de Gatos"});
    EXPECT_EQ(EntradaNuevaHermana(*file, "Gatos"), "Hermana de Gatos (2)");
    EXPECT_EQ(EntradaNuevaHermana(*file, "Perros"), "Hermana de Perros");
    const std::string longEntry(95, 'a');
    const std::string sister = EntradaNuevaHermana(*file, longEntry);
    EXPECT_EQ(sister.size(), kMaxEntryLength);
    EXPECT_TRUE(sister.starts_with("Hermana de aaa"));
    file->NewCard(sister);
    const std::string second = EntradaNuevaHermana(*file, longEntry);
    EXPECT_LE(second.size(), kMaxEntryLength);
    EXPECT_TRUE(second.ends_with(" (2)"));
}

TEST_F(FrmMainTest, NuevaFichaCreatesTheNextFreeEntryInTheActiveFile) {
    Main().Comando("abrir",
                   windows::Argumentos(MakeFile("a.ctu", "A", {"Nueva ficha", "Nueva ficha (2)"})));
    AddChild(ChildKind::Indice, Registered(0));
    Main().Comando("NuevaFicha");
    EXPECT_NE(Registered(0)->SrchNtry("Nueva ficha (3)"), -1);
    EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(FrmMainTest, AFullFileRefusesNewCardsWithAMessageAndOpensNoWindow) {
    auto file = std::make_shared<cCartulo>();
    file->NewFile("Lleno");
    for (int i = 1; i < kCapacity; ++i) ASSERT_GE(file->NewCard("F" + std::to_string(i)), 0);
    ASSERT_EQ(file->CardCount(), kCapacity);
    registry.AddFile(file);
    AddChild(ChildKind::Indice, file);
    const std::size_t windows = Main().Ventanas().size();

    Main().Comando("nuevaficha");
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].title, QStringLiteral("Nueva ficha"));
    EXPECT_EQ(dialogs.Messages()[0].text,
              QStringLiteral("No se puede crear la ficha: el cartulo ya tiene el máximo de 5000 "
                             "fichas."));
    EXPECT_EQ(file->CardCount(), kCapacity);
    EXPECT_EQ(Main().Ventanas().size(), windows);

    // The master card cannot be made either.
    Main().EjecutarSiHabilitado(MenuItem::CartuloMaestra);
    ASSERT_EQ(dialogs.Messages().size(), 2u);
    EXPECT_EQ(dialogs.Messages()[1].title, QStringLiteral("Ficha maestra"));
    EXPECT_EQ(Main().Ventanas().size(), windows);
}

TEST_F(FrmMainTest, FichaMaestraIsCreatedWhenMissing) {
    Main().Comando("abrir", windows::Argumentos(MakeFile("a.ctu")));
    ASSERT_EQ(registry.ListCount(), 1);
    AddChild(ChildKind::Indice, Registered(0));
    ASSERT_EQ(Registered(0)->SrchNtry("Ficha maestra"), -1);
    EXPECT_TRUE(Main().EjecutarSiHabilitado(MenuItem::CartuloMaestra));
    const CardId master = Registered(0)->SrchNtry("Ficha maestra");
    EXPECT_NE(master, -1);
    Main().EjecutarSiHabilitado(MenuItem::CartuloMaestra);  // found, not made again
    EXPECT_EQ(Registered(0)->CardCount(), 2);
}

}  // namespace
}  // namespace cartulo::shell::testing
