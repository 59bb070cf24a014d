#include "windows/frm_comparar_cartulos.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "fake_main_services.h"
#include "windows/card_text_edit.h"

namespace cartulo::windows {
namespace {

using support::MsgResult;
using Lado = frmCompararCartulos::Lado;
constexpr Lado A = frmCompararCartulos::A;
constexpr Lado B = frmCompararCartulos::B;

class CompareWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(a->NewFile("Fauna") && b->NewFile("Fauna"));
        for (auto [file, entry, text] : {std::tuple{a.get(), "Pan", "uno\r\ndos\nx"},
                                         {a.get(), "Luna", "l"},
                                         {a.get(), "Ni\xF1o", "n"},
                                         {a.get(), "Sol", "Hola"},
                                         {b.get(), "pan", "dos"},
                                         {b.get(), "Nino", "n"},
                                         {b.get(), "sol", "HOLA"}}) {
            testing::NewCard(*file, entry, text);
        }
        registry.AddFile(a);
        registry.AddFile(b);
        window = std::make_unique<frmCompararCartulos>(registry, services, a);
    }
    QStringList rows(Lado side) const {
        QStringList out;
        for (int i = 0; i < window->lstIndice(side)->count(); ++i)
            out << window->lstIndice(side)->item(i)->text();
        return out;
    }
    void select(const QString& entry) {
        for (Lado side : {A, B}) {
            const int row = rows(side).indexOf(entry);
            if (row >= 0) return window->SeleccionarFila(row);
        }
        FAIL() << entry.toStdString();
    }
    support::ScriptedUserDialogs& dialogs() { return *services.dialogs; }

    std::shared_ptr<cCartulo> a = std::make_shared<cCartulo>();
    std::shared_ptr<cCartulo> b = std::make_shared<cCartulo>();
    cCartulos registry;
    testing::FakeMainServices services;
    std::unique_ptr<frmCompararCartulos> window;
};

TEST_F(CompareWindow, ShowsSideBySideOnlyWhatDiffers) {
    // Sol differs only in letter case; Niño and Nino are different entries.
    EXPECT_EQ(window->Elegido(A), registry.ID(0));
    EXPECT_EQ(window->Elegido(B), registry.ID(1));
    EXPECT_EQ(rows(A), (QStringList{"Luna", "", "Ni\u00F1o", "Pan"}));
    EXPECT_EQ(rows(B), (QStringList{"", "Nino", "", "pan"}));
    window->SeleccionarFila(0);
    EXPECT_EQ(window->lstIndice(B)->currentRow(), 0);
    EXPECT_EQ(window->txtTexto(A)->Texto(), "l");
    EXPECT_TRUE(window->cmdCopiar(A)->isEnabled());
    EXPECT_FALSE(window->cmdCopiar(B)->isEnabled());
    EXPECT_FALSE(window->cmdEditar()->isEnabled());
    select("Pan");
    EXPECT_EQ(window->txtTexto(A)->Texto(), "uno\ndos\nx");
    EXPECT_TRUE(window->cmdEditar()->isEnabled());
}

TEST_F(CompareWindow, CopiesAskingBeforeOverwritingEverySister) {
    b->NewAlias(b->SrchNtry("pan"), "panecillo");
    struct Case {
        const char* row;
        Lado from;
        std::optional<MsgResult> answer;
        const char* target;  // the file asked about; nullptr: no question
        const char* copied;  // the target's text afterwards, under the row's entry
    } cases[] = {
        {"Luna", A, {}, nullptr, "l"},
        {"pan", B, MsgResult::No, "A", "uno\r\ndos\nx"},
        {"Pan", A, MsgResult::Yes, "B", "uno\r\ndos\nx"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        select(c.row);
        if (c.answer) dialogs().QueueAnswer(*c.answer);
        const std::size_t asked = dialogs().Messages().size();
        window->cmdCopiar_Click(c.from);
        EXPECT_EQ((c.from == A ? b : a)->GetTxtFromNtry(c.row), c.copied);
        ASSERT_EQ(dialogs().Messages().size(), asked + (c.target ? 1 : 0));
        if (!c.target) continue;
        EXPECT_EQ(dialogs().Messages().back().text,
                  QStringLiteral("La ficha seleccionada ya existe en el cartulo %1. ¿Desea "
                                 "sobreescribirla?")
                      .arg(c.target));
        EXPECT_EQ(dialogs().Messages().back().title, "Copiar ficha");
    }
    EXPECT_EQ(b->GetTxtFromNtry("panecillo"), "uno\r\ndos\nx");
    EXPECT_TRUE(dialogs().Messages().back().detail.contains("hermanas: 1"));
    EXPECT_EQ(rows(B)[0], "Luna");  // the new card, in the row it was copied to
    EXPECT_EQ(dialogs().Unanswered(), 0);
}

TEST_F(CompareWindow, AcceptsEditsKeepingLineEndsAndCaseOnlyChanges) {
    select("Pan");
    struct Case {
        QString boxA;
        const char* elsewhere;  // the card's text changed meanwhile in another window
        std::optional<MsgResult> answer;
        const char* stored;
        const char* row;
    } cases[] = {
        {"UNO\ndos\nx", nullptr, {}, "UNO\r\ndos\nx", "Pan*"},
        {"DOS", nullptr, {}, "DOS", "Pan"},  // equal to B's but for case: no longer marked
        {"Dos", nullptr, {}, "Dos", "Pan"},  // a case-only edit is still an edit
        {"tres", "ajeno", MsgResult::No, "ajeno", "Pan*"},
        {"tres", "otro", MsgResult::Yes, "tres", "Pan*"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        window->cmdEditar_Click();
        ASSERT_TRUE(window->Editando());
        EXPECT_FALSE(window->lstIndice(A)->isEnabled());
        window->txtTexto(A)->CambiarTexto(c.boxA);
        if (c.elsewhere) {
            a->SetTxt(a->SrchNtry("Pan"), c.elsewhere);
            dialogs().QueueAnswer(*c.answer);
        }
        window->cmdAceptar_Click();
        EXPECT_FALSE(window->Editando());
        EXPECT_EQ(a->GetTxtFromNtry("Pan"), c.stored);
        EXPECT_EQ(rows(A)[3], c.row);
    }
    EXPECT_TRUE(dialogs().AllAnswersUsed());
}

TEST_F(CompareWindow, EditBoxesRefuseWhatACardCannotHold) {
    select("Pan");
    window->cmdEditar_Click();
    CardTextEdit& box = *window->txtTexto(A);
    EXPECT_FALSE(box.Insertar(QStringLiteral("\u4E2D"), false));  // the card window's rules
    box.Seleccionar(0, 0);
    EXPECT_FALSE(box.Insertar(QStringLiteral("@@"), false));  // not the main card
    EXPECT_EQ(services.status.size(), 2u);
    box.CambiarTexto(QStringLiteral("@@Luna"));  // not typed, yet never stored
    window->cmdAceptar_Click();
    EXPECT_TRUE(window->Editando());
    EXPECT_EQ(a->GetTxtFromNtry("Pan"), "uno\r\ndos\nx");
    window->cmdCancelar_Click();
    EXPECT_EQ(box.Texto(), "uno\ndos\nx");
}

TEST_F(CompareWindow, FollowsCardsDeletedOrCreatedElsewhere) {
    select("Pan");
    window->cmdEditar_Click();
    window->txtTexto(B)->CambiarTexto(QStringLiteral("cambio"));
    const CardId pan = b->SrchNtry("pan");
    b->DelCard(pan);
    EXPECT_EQ(rows(B)[3], "pan (borrada)");
    EXPECT_EQ(window->FichaEn(B, 3), kNoCard);
    window->cmdAceptar_Click();  // reported; nothing stored on a deleted card
    EXPECT_TRUE(dialogs().Messages().back().text.contains("ya no existe en el cartulo B"));
    window->cmdCancelar_Click();
    EXPECT_FALSE(window->cmdCopiar(B)->isEnabled());
    // A card made in A since the rows were read is overwritten, not made twice.
    a->SetTxt(a->NewCard("NINO"), "otro");
    select("Nino");
    dialogs().QueueAnswer(MsgResult::Yes);
    window->cmdCopiar_Click(B);
    EXPECT_EQ(a->GetTxtFromNtry("nino"), "n");
    EXPECT_EQ(rows(A)[1], "NINO");
}

TEST_F(CompareWindow, ReportsAFullFileAndLeavesBothUnchanged) {
    while (b->NewCard("f" + std::to_string(b->CardCount())) > 0) {
    }
    const int cards = b->CardCount();
    select("Luna");
    window->cmdCopiar_Click(A);
    EXPECT_EQ(b->CardCount(), cards);
    EXPECT_EQ(b->SrchNtry("Luna"), kNoCard);
    EXPECT_EQ(dialogs().Messages().back().text,
              "El cartulo B está lleno: no se ha copiado la ficha.");
    EXPECT_EQ(rows(B)[0], "");
}

// Closes file B while its question is open, as the command channel may.
class ClosingDialogs : public support::ScriptedUserDialogs {
  public:
    std::function<void()> meanwhile;
    support::MsgResult ShowMessage(const support::MessageRequest& request) override {
        if (auto act = std::exchange(meanwhile, nullptr)) act();
        return ScriptedUserDialogs::ShowMessage(request);
    }
};

TEST_F(CompareWindow, AFileClosedDuringAQuestionIsNeitherWrittenNorRead) {
    auto closing = std::make_unique<ClosingDialogs>();
    ClosingDialogs& asked = *closing;
    services.dialogs = std::move(closing);
    const auto closeBWhenAsked = [&] {
        asked.meanwhile = [&] {
            registry.RemoveItem(1);
            b->CloseFile();
        };
        asked.QueueAnswer(MsgResult::Yes);
    };
    select("Pan");
    window->cmdEditar_Click();
    window->txtTexto(A)->CambiarTexto("tres");
    a->SetTxt(a->SrchNtry("Pan"), "ajeno");  // so Aceptar asks
    closeBWhenAsked();
    window->cmdAceptar_Click();
    EXPECT_FALSE(window->Editando());
    EXPECT_EQ(a->GetTxtFromNtry("Pan"), "ajeno");
    EXPECT_EQ(rows(A), QStringList{"(seleccione dos cartulos)"});

    b = std::make_shared<cCartulo>();
    b->NewFile("Otra");
    b->SetTxt(b->NewCard("Pan"), "x");
    registry.AddFile(b);
    window->Elegir(B, registry.ID(1));
    select("Pan");
    closeBWhenAsked();
    window->cmdCopiar_Click(A);  // asks before overwriting B's Pan
    EXPECT_EQ(b->GetTxtFromNtry("Pan"), "x");
}

TEST_F(CompareWindow, ChoosersFollowTheRegistry) {
    a->SetTxt(a->GetMain(), "Flora");
    registry.NotifyRename(a.get());
    EXPECT_EQ(window->cmbCartulos(B)->itemText(1), "Flora");
    registry.RemoveItem(1);
    b->CloseFile();
    EXPECT_EQ(window->Elegido(B), -1);
    EXPECT_EQ(window->cmbCartulos(B)->count(), 2);
    EXPECT_EQ(rows(A), QStringList{"(seleccione dos cartulos)"});
    EXPECT_EQ(window->FichaEn(B, 0), kNoCard);
    auto c = std::make_shared<cCartulo>();
    c->NewFile("Otro");
    registry.AddFile(c);
    EXPECT_EQ(window->cmbCartulos(A)->count(), 3);
    window->Elegir(B, registry.ID(0));  // a file with itself: nothing differs
    EXPECT_TRUE(rows(A).isEmpty());
}

}  // namespace
}  // namespace cartulo::windows
