#include "windows/frm_ficha.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/cartulos.h"
#include "fake_main_services.h"
#include "platform/text_codec.h"
#include "windows/backlinks_strip.h"
#include "windows/card_text_edit.h"
#include "windows/line_ends.h"

namespace cartulo::windows {
namespace {

using testing::FakeMainServices;

class CardWindow : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(file->NewFile("Cartulo de prueba")); }

    CardId card(const std::string& entry, const std::string& text = {}) {
        return testing::NewCard(*file, entry, text);
    }
    std::unique_ptr<frmFicha> window(CardId id) {
        auto w = std::make_unique<frmFicha>(services, [this] { return now; });
        w->Mostrar(file, id);
        return w;
    }
    static void show(frmFicha& w) {
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        w.txtTxt()->setFocus();
    }
    static void caret(frmFicha& w, int start, int length = 0) {
        w.txtTxt()->Seleccionar(start, length);
    }
    static QString shown(const frmFicha& w) { return w.txtTxt()->Texto(); }

    std::shared_ptr<cCartulo> file = std::make_shared<cCartulo>();
    FakeMainServices services;
    std::uint32_t now = 5000;
};

TEST_F(CardWindow, ShowsTheCardAndWritesEveryEditToItWithoutReloadingItsOwnEdit) {
    const CardId c = card("uno", "primera\r\nsegunda");
    auto w = window(c);
    EXPECT_EQ(w->windowTitle(), "uno (Cartulo de prueba)");
    EXPECT_EQ(w->lblNtry()->text(), "uno");
    EXPECT_EQ(shown(*w), "primera\nsegunda");  // LF in the editor

    caret(*w, 7);
    QTest::keyClicks(w->txtTxt(), "!!");
    QTest::keyClick(w->txtTxt(), Qt::Key_Return);
    EXPECT_EQ(file->GetTxt(c), "primera!!\r\n\r\nsegunda");
    // The card's own change event did not reload it: the caret stayed and undo works.
    EXPECT_EQ(w->txtTxt()->textCursor().position(), 10);
    while (w->txtTxt()->document()->isUndoAvailable()) w->Comando("Deshacer");
    EXPECT_EQ(file->GetTxt(c), "primera\r\nsegunda");
    // A no-break space stays one (the editor's plain text would make it a blank).
    w->Comando("Insertar", Argumentos(QStringLiteral("\u00A0")));
    EXPECT_NE(file->GetTxt(c).find('\xA0'), std::string::npos);
}

TEST_F(CardWindow, ASistersWindowFollowsAnEditMadeInTheOther) {
    const CardId c = card("uno", "abcdef");
    const CardId sister = file->NewAlias(c, "hermana");
    auto first = window(c);
    auto second = window(sister);
    caret(*second, 3, 3);  // "def"
    caret(*first, 6);
    QTest::keyClick(first->txtTxt(), Qt::Key_Backspace);
    QTest::keyClick(first->txtTxt(), Qt::Key_Backspace);
    EXPECT_EQ(shown(*second), "abcd");
    // The selection that reached past the new end now ends at it.
    EXPECT_EQ(second->txtTxt()->Seleccion(), std::make_pair(3, 1));
    EXPECT_EQ(second->windowTitle(), "hermana (Cartulo de prueba)");
}

TEST_F(CardWindow, RenamingRefusesAnEntryInUseAndCommitsOnEnterOrTerminar) {
    card("uno");
    const CardId dos = card("dos");
    auto w = window(dos);
    EXPECT_TRUE(w->TerminarEdicionEntrada());  // nothing being edited
    w->EditarEntrada();
    EXPECT_FALSE(w->txtNtry()->isHidden());
    EXPECT_EQ(w->txtNtry()->selectedText(), "dos");
    w->txtNtry()->setText("UNO");
    QTest::keyClick(w->txtNtry(), Qt::Key_Return);
    const auto& messages = services.dialogs->Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Cambiar entrada");
    EXPECT_EQ(messages[0].text, "Ya existe otra ficha con la entrada \"UNO\".");
    EXPECT_EQ(messages[0].detail,
              "No puede haber dos fichas con la misma entrada en el mismo cartulo. Introduzca una "
              "entrada diferente. Si lo desea, puede cancelar el cambio de entrada pulsando la "
              "tecla Escape.");
    EXPECT_EQ(messages[0].flags, support::msg::kInformation);
    EXPECT_EQ(file->GetNtry(dos), "dos");
    w->Comando("cerrar");  // refused again: the entry is still in use
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_TRUE(services.closed.empty());
    QTest::keyClick(w->txtNtry(), Qt::Key_Escape);
    EXPECT_FALSE(w->EditandoEntrada());
    EXPECT_TRUE(w->txtNtry()->isHidden());

    w->EditarEntrada();
    w->txtNtry()->setText("Dos");  // the unchanged test is case-sensitive
    QTest::keyClick(w->txtNtry(), Qt::Key_Return);
    EXPECT_EQ(file->GetNtry(dos), "Dos");
    EXPECT_EQ(w->windowTitle(), "Dos (Cartulo de prueba)");
    w->EditarEntrada();
    w->txtNtry()->setText("uno");
    EXPECT_FALSE(w->TerminarEdicionEntrada());
    EXPECT_TRUE(w->EditandoEntrada());
    EXPECT_EQ(messages.size(), 3u);  // none for the case-only rename
    w->txtNtry()->setText("tres");
    EXPECT_TRUE(w->TerminarEdicionEntrada());
    EXPECT_TRUE(w->txtNtry()->isHidden());
    EXPECT_EQ(file->GetNtry(dos), "tres");
    EXPECT_EQ(w->lblNtry()->text(), "tres");
    w->Comando("cerrar");
    ASSERT_EQ(services.closed.size(), 1u);
    EXPECT_EQ(services.closed[0], w.get());
    // The main card's entry cannot be edited.
    auto main = window(file->GetMain());
    main->EditarEntrada();
    EXPECT_FALSE(main->EditandoEntrada());
}

// Dialogs that take the focus away while their box is shown, as a real modal box does.
class FocusTakingDialogs : public support::ScriptedUserDialogs {
  public:
    support::MsgResult ShowMessage(const support::MessageRequest& request) override {
        if (takeFocusTo != nullptr) takeFocusTo->setFocus(Qt::OtherFocusReason);
        return ScriptedUserDialogs::ShowMessage(request);
    }
    QWidget* takeFocusTo = nullptr;
};

TEST_F(CardWindow, LeavingTheEntryValidatesItOnceEvenWhenTheMessageTakesTheFocus) {
    card("uno");
    auto dialogs = std::make_unique<FocusTakingDialogs>();
    FocusTakingDialogs& focusTaker = *dialogs;
    services.dialogs = std::move(dialogs);
    auto w = window(card("dos"));
    show(*w);
    focusTaker.takeFocusTo = w->txtTxt();
    w->EditarEntrada();
    ASSERT_TRUE(w->txtNtry()->hasFocus());
    w->txtNtry()->setText("uno");
    w->txtTxt()->setFocus(Qt::MouseFocusReason);  // the user clicks the text
    EXPECT_TRUE(w->EditandoEntrada());
    // The focus goes back to the entry editor.
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->txtNtry()->hasFocus(); }));
    EXPECT_EQ(services.dialogs->Messages().size(), 1u);

    // Leaving with the text unchanged cancels.
    focusTaker.takeFocusTo = nullptr;
    w->txtNtry()->setText("dos");
    w->txtTxt()->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(w->EditandoEntrada());
    EXPECT_EQ(services.dialogs->Messages().size(), 1u);
}

TEST_F(CardWindow, FollowsTheLinkAtAPositionTheCaretOrTheSelection) {
    const CardId uno = card("uno");
    const CardId dos = card("dos");
    auto w = window(card("tres", "Ver \xABuno\xBB, dos y \xABnada\xBB.\r\nfin"));
    w->Hipertexto(5);  // inside the first link
    ASSERT_EQ(services.shown.size(), 1u);
    EXPECT_EQ(services.shown[0].id, uno);
    w->Hipertexto(20);  // a link to no card: nothing happens
    EXPECT_EQ(services.shown.size(), 1u);
    caret(*w, 11);  // in "dos"
    w->Comando("hipertexto");
    ASSERT_EQ(services.shown.size(), 2u);
    EXPECT_EQ(services.shown[1].id, dos);
    EXPECT_EQ(w->ObtenerHipertexto(), "dos");
    caret(*w, 11, 3);
    EXPECT_EQ(w->Comando("ObtenerHipertexto"), QVariant(QStringLiteral("dos")));
    caret(*w, 29);  // after the line break: positions follow the card's CR LF
    EXPECT_EQ(w->ObtenerHipertexto(), "fin");
}

TEST_F(CardWindow, TheMainCardsCaptionAndTitleChangesReachTheRegistry) {
    struct Renames : CartulosListener {
        void onRename(std::int32_t) override { ++count; }
        int count = 0;
    } renames;
    Subscription subscription = Ctus().Subscribe(renames);
    Ctus().AddFile(file);
    auto w = window(file->GetMain());
    EXPECT_EQ(w->windowTitle(), " <Ficha principal> (Cartulo de prueba)");
    caret(*w, 7);
    QTest::keyClicks(w->txtTxt(), "s");
    EXPECT_EQ(file->GetFileTitle(), "Cartulos de prueba");
    EXPECT_EQ(renames.count, 1);
    QTest::keyClick(w->txtTxt(), Qt::Key_End);
    QTest::keyClick(w->txtTxt(), Qt::Key_Return);  // a second line: the title stays
    QTest::keyClicks(w->txtTxt(), "@@ abajo");
    EXPECT_EQ(renames.count, 1);
    // The main card's text may begin with "@@".
    caret(*w, 0);
    QTest::keyClicks(w->txtTxt(), "@@");
    EXPECT_EQ(file->GetTxt(file->GetMain()).substr(0, 2), "@@");
    Ctus().RemoveItem(Ctus().FindFile(file.get()));
}

TEST_F(CardWindow, RollsUpKeepingTheSavedHeight) {
    auto w = window(card("uno"));
    EXPECT_EQ(w->size(), QSize(410, 273));  // 6144 x 4096 twips
    w->Comando("Minimizar");
    EXPECT_TRUE(w->Minimizada());
    EXPECT_EQ(w->height(), 33);  // 480 twips and one pixel
    EXPECT_TRUE(w->txtTxt()->isReadOnly());
    w->Comando("Minimizar");  // already rolled up: the saved height stays
    w->Comando("Maximizar");
    EXPECT_EQ(w->height(), 273);
    EXPECT_FALSE(w->txtTxt()->isReadOnly());
}

TEST_F(CardWindow, SearchesForwardAndBackwardIgnoringCase) {
    auto w = window(card("uno", "Rojo, verde, ROJO y rojo."));
    caret(*w, 10);
    w->Comando("BuscarTexto", Argumentos("rojo"));  // always from the start
    EXPECT_EQ(w->txtTxt()->Seleccion(), std::make_pair(0, 4));
    EXPECT_EQ(w->txtBuscar()->text(), "rojo");
    w->cmdBuscarSiguiente()->click();
    EXPECT_EQ(w->txtTxt()->Seleccion(), std::make_pair(13, 4));
    w->cmdBuscarSiguiente()->click();
    EXPECT_EQ(w->txtTxt()->Seleccion(), std::make_pair(20, 4));
    EXPECT_FALSE(w->BuscarTexto("rojo", false, false, true));  // no more: selection kept
    EXPECT_EQ(w->txtTxt()->Seleccion(), std::make_pair(20, 4));
    w->cmdBuscarAnterior()->click();
    EXPECT_EQ(w->txtTxt()->Seleccion(), std::make_pair(13, 4));
    // A new search text starts again from the boundary.
    w->txtBuscar()->setText("verde");
    w->cmdBuscarAnterior()->click();
    EXPECT_EQ(w->txtTxt()->Seleccion(), std::make_pair(6, 5));

    EXPECT_TRUE(w->picBuscar()->isHidden());
    w->Comando("buscartexto");
    EXPECT_FALSE(w->picBuscar()->isHidden());
    w->cmdBuscarCerrar()->click();
    EXPECT_TRUE(w->picBuscar()->isHidden());
}

TEST_F(CardWindow, RefusesWhatTheCardCannotHoldAndSaysSo) {
    const CardId c = card("uno", "texto");
    auto w = window(c);
    caret(*w, 5);
    QTest::sendKeyEvent(QTest::Click, w->txtTxt(), Qt::Key_unknown, QStringLiteral("☺"),
                        Qt::NoModifier);
    EXPECT_EQ(file->GetTxt(c), "texto");
    EXPECT_EQ(shown(*w), "texto");
    ASSERT_EQ(services.status.size(), 1u);
    EXPECT_TRUE(services.status[0].contains(QStringLiteral("☺")));

    // A paste keeps what the code page holds and says once what it left out.
    QGuiApplication::clipboard()->setText(QStringLiteral(" a☺b€c✓☺"));
    w->Comando("Pegar");
    EXPECT_EQ(file->GetTxt(c), "texto ab\200c");  // € is 0x80
    ASSERT_EQ(services.status.size(), 2u);
    EXPECT_TRUE(services.status[1].contains(QStringLiteral("☺ ✓")));
    w->txtTxt()->paste();
    EXPECT_EQ(file->GetTxt(c), "texto ab\200c ab\200c");
    EXPECT_EQ(services.status.size(), 3u);

    // Only the main card's text may begin with "@@".
    w->txtTxt()->setPlainText("@x@");
    EXPECT_EQ(file->GetTxt(c), "@x@");
    caret(*w, 1);
    QTest::keyClick(w->txtTxt(), Qt::Key_Delete);
    EXPECT_EQ(file->GetTxt(c), "@x@");
    EXPECT_EQ(shown(*w), "@x@");  // the editor went back
    caret(*w, 1, 1);
    QTest::keyClicks(w->txtTxt(), "@");
    EXPECT_EQ(shown(*w), "@x@");
    EXPECT_EQ(services.status.size(), 5u);
    EXPECT_TRUE(services.status.back().contains(QStringLiteral("«@@»")));
}

TEST_F(CardWindow, RefusesAnEditBeyond99999StoredCharacters) {
    const std::string line(98, 'x');
    std::string text;
    while (text.size() + 100 <= 99'998) text += line + "\r\n";
    text += std::string(99'998 - text.size(), 'y');
    const CardId c = card("largo", text);
    auto w = window(c);
    QTest::keyClick(w->txtTxt(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(w->txtTxt(), Qt::Key_Return);  // two characters stored: too many
    EXPECT_EQ(file->GetTxt(c).size(), 99'998u);
    ASSERT_EQ(services.status.size(), 1u);
    EXPECT_TRUE(services.status[0].contains("99999"));
    QTest::keyClicks(w->txtTxt(), "zz");
    EXPECT_EQ(file->GetTxt(c), text + "z");
    EXPECT_EQ(services.status.size(), 2u);
    // Indenting the last line would pass the limit too: refused, text kept.
    w->Comando("Identar");
    EXPECT_EQ(file->GetTxt(c), text + "z");
    EXPECT_EQ(shown(*w).size() + static_cast<qsizetype>(std::count(text.begin(), text.end(), '\n')),
              99'999);
    EXPECT_EQ(services.status.size(), 3u);
}

// What Qt does on an internal move: in one edit block, delete the dragged text, then insert it.
void dropInside(CardTextEdit& editor, int from, int length, int at, const QString& data) {
    auto* mime = new QMimeData;
    mime->setText(data);
    QGuiApplication::clipboard()->setMimeData(mime);
    QTextCursor block(editor.document());
    block.beginEditBlock();
    if (length > 0) {
        QTextCursor dragged(editor.document());
        dragged.setPosition(from);
        dragged.setPosition(from + length, QTextCursor::KeepAnchor);
        dragged.removeSelectedText();
    }
    QTextCursor insertion(editor.document());
    insertion.setPosition(at);
    editor.setTextCursor(insertion);
    editor.paste();  // the editor's own insertFromMimeData, as a drop calls it
    block.endEditBlock();
}

TEST_F(CardWindow, MovingTextInsideALargeCardKeepsEveryCharacter) {
    // 99,000 characters stored, in lines of 98 and CR LF.
    std::string text;
    for (int i = 0; text.size() < 99'000; ++i)
        text += std::string(98, static_cast<char>('a' + i % 26)) + "\r\n";
    text.resize(99'000);
    const CardId c = card("largo", text);
    auto w = window(c);
    CardTextEdit& editor = *w->txtTxt();
    const QString before = shown(*w);

    // 5,000 characters moved to the start: counted twice they would pass the limit.
    const int from = static_cast<int>(before.size()) - 6'000;
    const QString block = before.mid(from, 5'000);
    dropInside(editor, from, 5'000, 0, block);
    QString moved = before;
    moved.remove(from, 5'000);
    moved.prepend(block);
    EXPECT_TRUE(shown(*w) == moved);
    EXPECT_TRUE(platform::toQString(file->GetTxt(c)) == ConCrLf(moved));
    EXPECT_TRUE(services.status.empty());
    // One step takes the whole move back.
    w->Comando("deshacer");
    EXPECT_TRUE(file->GetTxt(c) == text);

    // A drop that does not fit after the deletion is refused whole, the dragged text kept.
    dropInside(editor, 100, 10, 0, QString(2'000, u'z'));
    EXPECT_TRUE(shown(*w) == before);
    EXPECT_TRUE(file->GetTxt(c) == text);
    ASSERT_EQ(services.status.size(), 1u);
    EXPECT_TRUE(services.status[0].contains("99999"));
    // So is a move that would make the card begin with "@@".
    dropInside(editor, 50, 2, 0, QStringLiteral("@@"));
    EXPECT_TRUE(file->GetTxt(c) == text);
    EXPECT_TRUE(shown(*w) == before);
    EXPECT_EQ(services.status.size(), 2u);
    // The next edit is an ordinary one again.
    caret(*w, 0);
    QTest::keyClicks(w->txtTxt(), "!");
    EXPECT_TRUE(file->GetTxt(c) == "!" + text);
}

// What the platform sends when text dragged from `mime` is dropped; the action done.
Qt::DropAction dropOn(CardTextEdit& editor, int position, QMimeData& mime) {
    QTextCursor at(editor.document());
    at.setPosition(position);
    const QPoint point = editor.cursorRect(at).center();
    const Qt::DropActions actions = Qt::MoveAction | Qt::CopyAction;
    QDragEnterEvent enter(point, actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor.viewport(), &enter);
    QDropEvent drop(point, actions, &mime, Qt::LeftButton, Qt::NoModifier);
    drop.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(editor.viewport(), &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

TEST_F(CardWindow, DropsThatFitGoInRefusedOnesAreNotTakenAndSistersCopy) {
    const CardId c = card("uno", "primera\r\nsegunda");
    const CardId sister = file->NewAlias(c, "dos");
    auto w = window(c);
    auto b = window(sister);
    show(*w);
    show(*b);
    QMimeData text;
    text.setText(QStringLiteral("dos\n"));
    EXPECT_NE(dropOn(*w->txtTxt(), 8, text), Qt::IgnoreAction);
    EXPECT_EQ(file->GetTxt(c), "primera\r\ndos\r\nsegunda");
    // Refused: the window that dragged it must not delete it.
    text.setText(QStringLiteral("@@"));
    EXPECT_EQ(dropOn(*w->txtTxt(), 0, text), Qt::IgnoreAction);
    EXPECT_EQ(file->GetTxt(c), "primera\r\ndos\r\nsegunda");
    EXPECT_EQ(services.status.size(), 1u);
    // Between sister windows a move would let the source delete the copy just dropped.
    w->txtTxt()->Seleccionar(0, 4);
    std::unique_ptr<QMimeData> dragged(w->txtTxt()->createMimeDataFromSelection());
    ASSERT_TRUE(dragged->hasFormat(CardTextEdit::FormatoOrigen()));
    EXPECT_EQ(dropOn(*b->txtTxt(), 2, *dragged), Qt::CopyAction);
    EXPECT_EQ(file->GetTxt(c), "prprimimera\r\ndos\r\nsegunda");
}

TEST_F(CardWindow, AnEditChangesOnlyTheEditedPartOfTheStoredText) {
    const std::string text = "uno\ndos\rtres\r\ncuatro";
    const CardId c = card("uno", text);
    auto w = window(c);
    EXPECT_EQ(shown(*w), "uno\ndos\ntres\ncuatro");
    // New line ends are stored as CR LF; indenting one line leaves the others' bytes alone.
    QTest::keyClick(w->txtTxt(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(w->txtTxt(), Qt::Key_Return);
    QTest::keyClicks(w->txtTxt(), "cinco");
    caret(*w, 9);
    w->Comando("identar");
    EXPECT_EQ(file->GetTxt(c), "uno\ndos\r    tres\r\ncuatro\r\ncinco");
    caret(*w, 4, 3);  // "dos"
    QTest::keyClick(w->txtTxt(), Qt::Key_Delete);
    EXPECT_EQ(file->GetTxt(c), "uno\n\r    tres\r\ncuatro\r\ncinco");
    for (int i = 0; i < 4; ++i) w->Comando("deshacer");
    EXPECT_EQ(file->GetTxt(c), text);
}

TEST_F(CardWindow, CtrlWithEnterOrTabTypesNothing) {
    const CardId c = card("uno", "uno dos");
    auto w = window(c);
    show(*w);
    caret(*w, 7);
    QTest::keyClick(w->txtTxt(), Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(w->txtTxt(), Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
    QTest::keyClick(w->txtTxt(), Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(w->txtTxt(), Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(file->GetTxt(c), "uno dos");
    // Shift+Enter is a plain line break.
    QTest::keyClick(w->txtTxt(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(file->GetTxt(c), "uno dos\r\n");
    // Ctrl+Backspace types no character: it is the editor's own word deletion.
    QTest::keyClick(w->txtTxt(), Qt::Key_Backspace);
    QTest::keyClick(w->txtTxt(), Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(file->GetTxt(c), "uno ");
    // Ctrl+Enter still commits the entry.
    w->EditarEntrada();
    w->txtNtry()->setText("nuevo");
    QTest::keyClick(w->txtNtry(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_FALSE(w->EditandoEntrada());
    EXPECT_EQ(file->GetNtry(c), "nuevo");
}

TEST_F(CardWindow, ARolledUpWindowChangesNoText) {
    const std::string text = "  uno\r\n  dos";
    const CardId c = card("uno", text);
    auto w = window(c);
    show(*w);
    caret(*w, 5);
    QTest::keyClicks(w->txtTxt(), "x");  // something to undo
    const std::string edited = file->GetTxt(c);
    w->Comando("Minimizar");
    ASSERT_TRUE(w->Minimizada());
    w->txtTxt()->setFocus();
    caret(*w, 2, 3);
    QTest::keyClick(w->txtTxt(), Qt::Key_Return);
    QTest::keyClick(w->txtTxt(), Qt::Key_Z, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText("pegado");
    for (const char* word :
         {"pegar", "cortar", "eliminar", "cortarlinea", "identar", "desidentar", "deshacer"}) {
        caret(*w, 2, 3);
        w->Comando(word);
        EXPECT_EQ(file->GetTxt(c), edited) << word;
    }
    w->Comando("insertar", Argumentos("metido"));
    EXPECT_EQ(file->GetTxt(c), edited);
    EXPECT_EQ(shown(*w), "  unox\n  dos");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "pegado");  // nothing was cut

    // The search field is read-only too.
    w->Comando("Maximizar");
    w->Comando("buscartexto", Argumentos("dos"));
    w->Comando("buscartexto");
    ASSERT_TRUE(w->txtBuscar()->hasFocus());
    w->Comando("Minimizar");
    w->txtBuscar()->setFocus();
    w->Comando("insertar", Argumentos("otro"));
    w->Comando("pegar");
    EXPECT_EQ(w->txtBuscar()->text(), "dos");
}

TEST_F(CardWindow, EditingWordsActOnTheTextLinesAndIndentation) {
    const CardId c = card("uno", "uno\r\n  dos\r\ntres");
    auto w = window(c);
    show(*w);
    EXPECT_EQ(w->Comando("MultiLine"), QVariant(true));
    EXPECT_EQ(w->Comando("PermiteEdicion"), QVariant(true));
    EXPECT_EQ(w->Comando("PermiteBusqueda"), QVariant(true));
    caret(*w, 6, 2);  // "do"
    EXPECT_EQ(w->Comando("Seleccion"), QVariant(QStringLiteral("do")));
    w->Comando("Identar");
    EXPECT_EQ(file->GetTxt(c), "uno\r\n      dos\r\ntres");
    w->Comando("Desidentar");
    w->Comando("Desidentar");
    EXPECT_EQ(file->GetTxt(c), "uno\r\ndos\r\ntres");
    caret(*w, 5);
    w->Comando("CortarLinea");
    EXPECT_EQ(file->GetTxt(c), "uno\r\ntres");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "dos\n");
    // A new line starts with the indentation of the one before.
    caret(*w, 3);
    QTest::keyClicks(w->txtTxt(), "\t ");
    caret(*w, 0);
    w->Comando("Insertar", Argumentos("\t "));
    caret(*w, 7);
    QTest::keyClick(w->txtTxt(), Qt::Key_Return);
    EXPECT_EQ(file->GetTxt(c), "\t uno\t \r\n\t \r\ntres");

    w->Comando("BuscarTexto");
    ASSERT_TRUE(w->txtBuscar()->hasFocus());
    EXPECT_EQ(w->Comando("MultiLine"), QVariant(false));
    w->Comando("Insertar", Argumentos("tres"));
    EXPECT_EQ(w->txtBuscar()->text(), "tres");
    w->Comando("SeleccionarTodo");
    EXPECT_EQ(w->Comando("Seleccion"), QVariant(QStringLiteral("tres")));
}

TEST_F(CardWindow, PlacesActivatesAndClosesThroughTheMainWindow) {
    const CardId c = card("uno");
    auto w = window(c);
    show(*w);
    ASSERT_EQ(services.cascadeSizes.size(), 1u);  // placed once, when first shown
    EXPECT_EQ(w->pos(), services.cascade);
    w->CrearBotones();
    EXPECT_EQ(services.barClears, 1);
    ASSERT_EQ(services.activated.size(), 1u);
    EXPECT_EQ(services.activated[0].id, c);

    // The hover close button: hidden once shown more than 2000 ms without the mouse over it.
    const QPoint away = w->txtTxt()->geometry().center();
    const QPoint area = w->cmdCerrar()->geometry().center();
    QTest::mouseMove(w.get(), away);
    QTest::mouseMove(w.get(), area);
    ASSERT_FALSE(w->cmdCerrar()->isHidden());
    EXPECT_TRUE(w->tmrCerrar()->isActive());
    QTest::mouseMove(w.get(), away);
    // The offscreen platform does not always tell a widget that the pointer left it.
    w->cmdCerrar()->setAttribute(Qt::WA_UnderMouse, false);
    now = 7000;  // shown at 5000
    w->tmrCerrar_Timer();
    EXPECT_FALSE(w->cmdCerrar()->isHidden());
    now += 1;
    w->tmrCerrar_Timer();
    EXPECT_TRUE(w->cmdCerrar()->isHidden());
    EXPECT_FALSE(w->tmrCerrar()->isActive());

    // Deleting the card closes its window.
    ASSERT_EQ(file->DelCard(c), 0);
    EXPECT_TRUE(w->isHidden());
    ASSERT_EQ(services.closed.size(), 1u);
    EXPECT_EQ(services.closed[0], w.get());
}

TEST_F(CardWindow, InsideAnMdiSubWindowMovesRollsUpAndClosesTheOuterWindow) {
    card("uno");
    QMdiArea area;
    area.resize(900, 700);
    auto* w = new frmFicha(services, [this] { return now; });
    w->Mostrar(file, card("dos"));
    QPointer<QMdiSubWindow> sub = area.addSubWindow(w);
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
    EXPECT_EQ(sub->windowTitle(), "dos (Cartulo de prueba)");
    EXPECT_EQ(sub->pos(), services.cascade);
    const int outerHeight = sub->height();
    w->Comando("minimizar");
    EXPECT_LT(sub->height(), outerHeight);
    w->Comando("maximizar");
    EXPECT_EQ(sub->height(), outerHeight);

    // Closing the outer window waits for a valid entry.
    w->EditarEntrada();
    w->txtNtry()->setText("uno");
    sub->close();
    EXPECT_TRUE(sub->isVisible());
    EXPECT_EQ(services.dialogs->Messages().size(), 1u);
    w->CancelarEntrada();
    w->Comando("cerrar");
    EXPECT_EQ(services.closed.size(), 1u);
    EXPECT_TRUE(QTest::qWaitFor([&] { return sub.isNull(); }));
}

TEST_F(CardWindow, TheStripOfLinksHereIsBuiltWhenFirstShownAndFollowsTheOtherCards) {
    const CardId meta = card("Meta", "texto");
    const CardId beta = card("Beta", "va a \xABmeta\xBB");
    const CardId alfa = card("Alfa", "nada");
    auto w = window(meta);
    show(*w);
    EXPECT_EQ(w->picEnlaces(), nullptr);  // hidden at first: nothing built, no table asked for
    EXPECT_EQ(services.links, nullptr);
    EXPECT_TRUE(w->Comando("Enlaces").toBool());
    ASSERT_NE(w->picEnlaces(), nullptr);
    BacklinksStrip& strip = *w->picEnlaces();
    QListWidget& list = *strip.lstEnlaces();
    const auto listed = [&] {
        QString rows = strip.lblEnlaces()->text() + ":";
        for (int i = 0; i < list.count(); ++i) rows += (i ? ", " : " ") + list.item(i)->text();
        return rows;
    };
    EXPECT_EQ(listed(), "Enlaces a esta ficha (1): Beta");
    EXPECT_EQ(QApplication::focusWidget(), &list);
    for (const char* word : {"identar", "cortarlinea", "eliminar"}) w->Comando(word);
    EXPECT_EQ(file->GetTxt(meta), "texto");  // no edit at a caret not shown

    // Other cards gain, lose and rename links; the main card is listed first.
    ASSERT_TRUE(file->SetTxt(alfa, "{L:META,aqu\xED}"));
    ASSERT_TRUE(file->SetTxt(file->GetMain(), "Cartulo de prueba\r\n\xABMeta\xBB"));
    EXPECT_EQ(listed(), "Enlaces a esta ficha (3):  <Ficha principal>, Alfa, Beta");
    ASSERT_TRUE(file->SetTxt(beta, "ya no"));
    ASSERT_EQ(file->SetNtry(alfa, "Aleph"), EntryCheck::Ok);
    EXPECT_EQ(listed(), "Enlaces a esta ficha (2):  <Ficha principal>, Aleph");

    // Enter or a double click opens the entry's card.
    list.setCurrentRow(1);
    QTest::keyClick(&list, Qt::Key_Return);
    const QPoint row = list.visualItemRect(list.item(0)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, row);
    QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, row);
    ASSERT_EQ(services.shown.size(), 2u);
    EXPECT_EQ(services.shown[0].id, alfa);
    EXPECT_EQ(services.shown[1].id, file->GetMain());

    // Rolled up it hides.
    w->SetMinimizada(true);
    EXPECT_TRUE(strip.isHidden());
    w->SetMinimizada(false);
    EXPECT_FALSE(strip.isHidden());

    // Hidden, it reads nothing; shown again, it is current.
    EXPECT_FALSE(w->Comando("enlaces").toBool());
    EXPECT_TRUE(strip.isHidden());
    ASSERT_TRUE(file->SetTxt(beta, "\xABMeta\xBB"));
    EXPECT_EQ(strip.Enlaces().size(), 2u);
    w->Comando("enlaces");
    EXPECT_EQ(listed(), "Enlaces a esta ficha (3):  <Ficha principal>, Aleph, Beta");
}

}  // namespace
}  // namespace cartulo::windows
