#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

#include "fake_main_services.h"
#include "platform/spell_checker.h"
#include "platform/spell_dictionaries.h"
#include "platform/text_codec.h"
#include "windows/card_text_edit.h"
#include "windows/frm_ficha.h"
#include "windows/spell_marker.h"
#include "windows/spell_service.h"

namespace cartulo::windows {
namespace {

// Prose with markup, links, an entry, a number and capitals; only the
// misspelt prose is marked (a word split by a tag in both its parts).
const QString kCard = QStringLiteral(
    "¿Qué tal? El niño vio una cigüeña y un camion en la kasa.\n"
    "{N}Ningún{N} bi{N}bloteca {T:12} {* no se rebisa *} «Enlase» {L:Sitio inbentado,aquí} "
    "Xyzzy, 12abc, ONU y ¡Árbol!");

class Spelling : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!QFileInfo::exists(platform::kDictionaryFolder + "/es_ES.aff")) {
            GTEST_SKIP() << "hunspell-es is not installed";
        }
        ASSERT_TRUE(file->NewFile("Prueba"));
        const QString text = QString(kCard).replace("\n", "\r\n");
        card = testing::NewCard(*file, "Xyzzy", platform::fromQString(text).text);
        ASSERT_TRUE(file->SaveFile(dir.filePath("prueba.ctu").toStdString()));
    }
    std::unique_ptr<frmFicha> Window(SpellService& spell) {
        services.spell = &spell;
        auto window = std::make_unique<frmFicha>(services);
        window->Mostrar(file, card);
        window->show();
        spell.EsperarCarga();
        window->Ortografia()->Marcar();
        return window;
    }
    static QStringList Marked(frmFicha& window) {
        QStringList words;
        for (auto [start, length] : window.Ortografia()->Marcas())
            words << window.txtTxt()->Texto().mid(start, length);
        return words;
    }
    // The spelling menu's entry `text` on the word at `position`.
    static void Choose(frmFicha& window, int position, const QString& text) {
        const QMenu* menu = window.Ortografia()->Menu(position);
        for (QAction* action : menu->actions()) {
            if (action->text() == text) return action->trigger();
        }
        ADD_FAILURE() << "no " << text.toStdString();
    }

    QTemporaryDir dir;
    QString personal = dir.filePath("palabras.txt");
    std::shared_ptr<cCartulo> file = std::make_shared<cCartulo>();
    CardId card = kNoCard;
    testing::FakeMainServices services;
};

TEST_F(Spelling, MarksMisspeltProseOnlyAndLeavesTheCardAlone) {
    SpellService spell(platform::kDictionaryFolder, personal);
    const auto window = Window(spell);
    EXPECT_EQ(Marked(*window), QStringList({"camion", "kasa", "bi", "bloteca"}));
    EXPECT_FALSE(window->txtTxt()->document()->isUndoAvailable());
    EXPECT_EQ(platform::toQString(file->GetTxt(card)), QString(kCard).replace("\n", "\r\n"));
    EXPECT_FALSE(file->GetChanged());

    // Entries are names: marked again a moment after one comes, changes or goes.
    const std::pair<std::function<void()>, QStringList> entries[] = {
        {[&] { file->NewCard("Kasa"); }, {"camion", "bi", "bloteca"}},
        {[&] { file->SetNtry(file->SrchNtry("Kasa"), "Camion"); }, {"kasa", "bi", "bloteca"}},
        {[&] { file->DelCard(file->SrchNtry("Camion")); }, {"camion", "kasa", "bi", "bloteca"}},
    };
    for (const auto& [change, marked] : entries) {
        change();
        EXPECT_TRUE(window->Ortografia()->Pendiente());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window->Ortografia()->Pendiente(); }));
        EXPECT_EQ(Marked(*window), marked);
    }

    // Typing marks again after a pause.
    window->txtTxt()->moveCursor(QTextCursor::End);
    QTest::keyClicks(window->txtTxt(), " ferrocaril");
    EXPECT_TRUE(window->Ortografia()->Pendiente());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->Ortografia()->Pendiente(); }));
    EXPECT_TRUE(Marked(*window).contains("ferrocaril"));
}

TEST_F(Spelling, SuggestionsPersonalWordsAndIgnoredWords) {
    auto spell = std::make_unique<SpellService>(platform::kDictionaryFolder, personal);
    const auto window = Window(*spell);
    // A suggestion replaces the word as one undo step.
    const int camion = static_cast<int>(kCard.indexOf("camion"));
    Choose(*window, camion + 2, "camión");
    EXPECT_TRUE(platform::toQString(file->GetTxt(card)).contains("camión en la kasa"));
    window->txtTxt()->undo();
    EXPECT_EQ(window->txtTxt()->Texto(), kCard);

    Choose(*window, static_cast<int>(kCard.indexOf("bloteca")), "Ignorar");
    Choose(*window, static_cast<int>(kCard.indexOf("kasa")), "Añadir al diccionario");
    spell->Anadir("cañaverazo");
    window->Ortografia()->Marcar();
    EXPECT_EQ(Marked(*window), QStringList({"camion"}));
    QFile list(personal);
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_EQ(list.readAll(), "kasa\ncañaverazo\n");

    // The personal words stay after a restart; ignored ones do not.
    spell = std::make_unique<SpellService>(platform::kDictionaryFolder, personal);
    spell->Arrancar();
    spell->EsperarCarga();
    EXPECT_TRUE(spell->Correcta("kasa") && spell->Correcta("cañaverazo"));
    EXPECT_FALSE(spell->Correcta("bibloteca"));
}

TEST_F(Spelling, TheMenuOpensFromMouseAndKeyboardAndGoesWithItsWindow) {
    SpellService spell(platform::kDictionaryFolder, personal);
    for (int way = 0; way < 3; ++way) {  // right click, menu key, Shift+F10
        auto window = Window(spell);
        CardTextEdit& editor = *window->txtTxt();
        editor.Seleccionar(static_cast<int>(kCard.indexOf("kasa")) + 1, 0);
        const QPoint at = editor.cursorRect().center();
        QContextMenuEvent event(way == 0 ? QContextMenuEvent::Mouse : QContextMenuEvent::Keyboard,
                                at, editor.viewport()->mapToGlobal(at));
        QStringList offered;
        QTimer::singleShot(0, [&] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                for (const QAction* action : menu->actions()) offered << action->text();
            }
            window.reset();  // closed with its menu open
        });
        if (way == 2) QTest::keyClick(&editor, Qt::Key_F10, Qt::ShiftModifier);
        if (way < 2) QApplication::sendEvent(way == 0 ? editor.viewport() : &editor, &event);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window; })) << way;
        EXPECT_TRUE(offered.contains("Ignorar")) << way;
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << way;
    }
}

TEST_F(Spelling, AWordThePersonalListCannotKeepIsReportedAndOnlyTheLastDictionaryWins) {
    ASSERT_TRUE(QFile(dir.filePath("archivo")).open(QIODevice::WriteOnly));  // not a folder
    SpellService spell(platform::kDictionaryFolder, dir.filePath("archivo/palabras.txt"));
    const auto window = Window(spell);
    Choose(*window, static_cast<int>(kCard.indexOf("kasa")), "Añadir al diccionario");
    ASSERT_EQ(services.dialogs->Messages().size(), 1u);
    EXPECT_EQ(services.dialogs->Messages()[0].text.toStdString(),
              "No se pudo guardar «kasa» en el diccionario personal.");

    if (!QFileInfo::exists(platform::kDictionaryFolder + "/es_MX.aff")) return;
    spell.Configurar(true, "es_MX");  // still loading when the choice goes back
    spell.Configurar(true, "es_ES");
    spell.EsperarCarga();
    QCoreApplication::processEvents();
    EXPECT_EQ(spell.Diccionario().toStdString(), "es_ES");
}

TEST_F(Spelling, WithoutADictionaryTheEditorWorksAndMarksNothing) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("vacia"));
    SpellService spell(dir.filePath("vacia"), personal);
    const auto window = Window(spell);
    EXPECT_FALSE(spell.Activa());
    EXPECT_TRUE(spell.Motivo().contains("hunspell-es"));
    window->txtTxt()->moveCursor(QTextCursor::End);
    QTest::keyClicks(window->txtTxt(), " kasa");
    window->Ortografia()->Marcar();
    EXPECT_TRUE(Marked(*window).isEmpty());
    EXPECT_TRUE(platform::toQString(file->GetTxt(card)).endsWith("¡Árbol! kasa"));
}

// Dictionaries in encodings Qt may not convert ("pingüino" and "árbol" are
// the same bytes in all three), and a personal list with a byte order mark.
TEST(SpellChecker, ReadsEightBitDictionariesAndAPersonalListWithAByteOrderMark) {
    QTemporaryDir dir;
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    ASSERT_TRUE(write("palabras.txt", "\xEF\xBB\xBFkasa\n"));
    for (const char* encoding : {"ISO8859-15", "ISO8859-16", "microsoft-cp1252"}) {
        ASSERT_TRUE(write("xx.aff", QByteArray("SET ") + encoding + "\nTRY aeinou\xFC\n"));
        ASSERT_TRUE(write("xx.dic", "2\nping\xFCino\n\xE1rbol\n"));
        const auto loaded =
            platform::SpellChecker::Load(dir.path(), "xx", dir.filePath("palabras.txt"));
        ASSERT_TRUE(loaded.checker) << encoding << " " << loaded.problem.toStdString();
        for (const char* word : {"pingüino", "árbol", "kasa"}) {
            EXPECT_TRUE(loaded.checker->Correct(word)) << encoding << " " << word;
        }
        EXPECT_FALSE(loaded.checker->Correct("pinguino")) << encoding;
        EXPECT_EQ(loaded.checker->Suggestions("pinguino"), QStringList{"pingüino"}) << encoding;
    }
}

}  // namespace
}  // namespace cartulo::windows
