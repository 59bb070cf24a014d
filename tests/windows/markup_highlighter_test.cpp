#include "windows/markup_highlighter.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "fake_main_services.h"
#include "platform/text_codec.h"
#include "windows/card_text_edit.h"
#include "windows/frm_ficha.h"
#include "windows/link_completer.h"

namespace cartulo::windows {
namespace {

class Coloured : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(file->NewFile("Prueba"));
        for (const char* entry :
             {"Casa", "C\xE1scara", "Mi casa", "Uno \xBB dos", "Con, coma", "Casi {N}"}) {
            ASSERT_GT(file->NewCard(entry), 0);
        }
    }
    std::unique_ptr<frmFicha> open(const std::string& text) {
        const CardId card = testing::NewCard(*file, "Texto " + std::to_string(++opened), text);
        auto w = std::make_unique<frmFicha>(services);
        w->Mostrar(file, card);
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        return w;
    }
    // The format the editor shows at a position of its text.
    static QTextCharFormat at(frmFicha& w, int position) {
        w.Resaltado()->Refrescar();
        const QTextBlock block = w.txtTxt()->document()->findBlock(position);
        QTextCharFormat format;
        for (const auto& range : block.layout()->formats()) {
            const int offset = position - block.position();
            if (offset >= range.start && offset < range.start + range.length) {
                format.merge(range.format);
            }
        }
        return format;
    }
    std::shared_ptr<cCartulo> file = std::make_shared<cCartulo>();
    testing::FakeMainServices services;
    int opened = 0;
};

TEST_F(Coloured, EachSpanIsShownWithItsFormatAndTheCardIsUntouched) {
    const std::string text = "Ver \253Casa\273 y {L:Nada,ver}\r\n{N}x {*nota*} {ZZ} {T:12}";
    auto w = open(text);
    const bool changed = file->GetChanged();
    MarkupHighlighter& h = *w->Resaltado();
    ASSERT_EQ(h.Marcas().size(), 11u);
    for (const richtext::MarkupSpan& span : h.Marcas()) {
        // Editor positions: one less for the CR LF before the second line.
        const int position = static_cast<int>(span.begin) - (span.begin > 25 ? 1 : 0);
        const QTextCharFormat shown = at(*w, position);
        const QTextCharFormat wanted = h.Formato(span);
        EXPECT_EQ(shown.foreground(), wanted.foreground()) << span.begin;
        EXPECT_EQ(shown.underlineStyle(), wanted.underlineStyle()) << span.begin;
        EXPECT_EQ(shown.fontItalic(), wanted.fontItalic()) << span.begin;
    }
    EXPECT_EQ(at(*w, 4).underlineStyle(), QTextCharFormat::SingleUnderline);  // «Casa»
    EXPECT_EQ(at(*w, 13).underlineStyle(), QTextCharFormat::WaveUnderline);   // {L:Nada}
    EXPECT_TRUE(at(*w, 31).fontItalic());

    // Cards made, renamed and deleted colour the links that name them.
    const CardId nada = file->NewCard("nada");
    EXPECT_EQ(at(*w, 13).underlineStyle(), QTextCharFormat::SingleUnderline);
    file->SetNtry(file->SrchNtry("Casa"), "Casona");
    EXPECT_EQ(at(*w, 4).underlineStyle(), QTextCharFormat::WaveUnderline);
    file->DelCard(nada);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return at(*w, 13).underlineStyle() == QTextCharFormat::WaveUnderline; }));

    h.SetActivo(false);
    EXPECT_TRUE(w->txtTxt()->document()->begin().layout()->formats().isEmpty());
    h.SetActivo(true);
    EXPECT_EQ(at(*w, 4).underlineStyle(), QTextCharFormat::WaveUnderline);
    // Colouring wrote nothing and left nothing to undo.
    EXPECT_EQ(file->GetTxt(w->ID()), text);
    EXPECT_EQ(file->GetChanged(), changed);
    EXPECT_FALSE(w->txtTxt()->document()->isUndoAvailable());
    EXPECT_FALSE(w->txtTxt()->document()->isModified());
}

TEST_F(Coloured, AfterEachEditTheColoursAreThoseOfTheTextReadAfresh) {
    struct Case {
        int at, removed;
        const char16_t* put;
    };
    const Case cases[] = {{30, 0, u"x"},    {30, 1, u""},  {36, 1, u""},  {43, 1, u""},
                          {23, 1, u""},     {15, 1, u""},  {53, 1, u""},  {44, 0, u"{"},
                          {2, 0, u"«"},     {6, 0, u"\n"}, {14, 1, u""},  {26, 0, u"{N}"},
                          {0, 0, u"}"},     {45, 1, u"x"}, {3, 0, u"{*"}, {20, 0, u"*}"},
                          {38, 0, u"{O:1}"}};
    const std::string text =
        "Ver {N}uno{N:0}\r\nx \253Casa\273 y {L:Nada}\r\n{*nota*} z {T:12}\r\nfin";
    for (const Case& c : cases) {
        auto w = open(text);
        MarkupHighlighter& h = *w->Resaltado();
        h.Marcas();
        h.Refrescar();
        QTextCursor cursor(w->txtTxt()->document());
        cursor.setPosition(c.at);
        cursor.setPosition(c.at + c.removed, QTextCursor::KeepAnchor);
        cursor.insertText(QString::fromUtf16(c.put));
        auto fresh = open(file->GetTxt(w->ID()));
        const auto spans = [](MarkupHighlighter& of) {
            std::vector<std::tuple<std::size_t, std::size_t, richtext::SpanKind>> out;
            for (const auto& span : of.Marcas()) out.emplace_back(span.begin, span.end, span.kind);
            return out;
        };
        EXPECT_EQ(spans(h), spans(*fresh->Resaltado())) << c.at;
        h.Refrescar();
        fresh->Resaltado()->Refrescar();
        QTextBlock b = fresh->txtTxt()->document()->begin();
        for (QTextBlock a = w->txtTxt()->document()->begin(); a.isValid(); a = a.next()) {
            EXPECT_EQ(a.layout()->formats(), b.layout()->formats())
                << c.at << " " << a.text().toStdString();
            b = b.next();
        }
    }
}

TEST_F(Coloured, TheLinkListOffersEntriesAndPutsOneInAsOneStep) {
    struct Case {
        const char16_t* typed;    // ^ selects the character before it, < moves left
        const char16_t* offered;  // joined by |
        Qt::Key key;              // Enter comes from the keypad
        const char16_t* after;
    };
    const Case cases[] = {
        {u"  «cas", u"Casa|Cáscara|Mi casa", Qt::Key_Return, u"  «Casa»"},
        {u"  «CAS", u"Casa|Cáscara|Mi casa", Qt::Key_Down, nullptr},
        {u"  «cás", u"Casa|Cáscara|Mi casa", Qt::Key_Escape, u"  «cás"},
        {u"  «co", u"Con, coma", Qt::Key_Tab, u"  «Con, coma»"},
        {u"  {L:con", u"", Qt::Key_Escape, u"  {L:con"},
        {u"  {l:m", u"Mi casa", Qt::Key_Tab, u"  {l:Mi casa}"},
        {u"«cas", u"Casa|Cáscara|Mi casa", Qt::Key_Enter, u"«Casa»"},
        {u"x^«cas<<", u"Casa|Cáscara|Con, coma|Mi casa", Qt::Key_Tab, u"«Casa»"},
        {u"{L:ma,b<<<", u"Mi casa", Qt::Key_Tab, u"{L:Mi casa,b"},
    };
    for (const Case& c : cases) {
        QString typed;
        auto w = open("");
        CardTextEdit& editor = *w->txtTxt();
        LinkCompleter& list = *w->Completado();
        for (const QChar ch : QString::fromUtf16(c.typed)) {
            if (ch == u'^' || ch == u'<') {
                if (ch == u'^') typed.chop(1);
                QTest::keyClick(&editor, Qt::Key_Left,
                                ch == u'^' ? Qt::ShiftModifier : Qt::NoModifier);
                continue;
            }
            typed += ch;
            // Keys by their text: QTest knows no key for « or á.
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QCoreApplication::sendEvent(&editor, &key);
        }
        if (*c.offered == 0) {
            QCoreApplication::processEvents();
            EXPECT_FALSE(list.Abierta()) << typed.toStdString();
        } else {
            ASSERT_TRUE(QTest::qWaitFor([&] { return list.Abierta(); })) << typed.toStdString();
            EXPECT_EQ(list.Opciones(), QString::fromUtf16(c.offered).split(u'|'));
        }
        QTest::keyClick(&editor, c.key,
                        c.key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        if (c.key == Qt::Key_Down) {
            EXPECT_EQ(list.Lista()->currentRow(), 1);
            continue;
        }
        const QString after = QString::fromUtf16(c.after);
        EXPECT_FALSE(list.Abierta()) << typed.toStdString();
        EXPECT_EQ(platform::toQString(file->GetTxt(w->ID())), after);
        editor.undo();
        EXPECT_TRUE(c.key == Qt::Key_Escape || editor.Texto() == typed) << typed.toStdString();
    }
}

TEST_F(Coloured, CtrlClickFollowsALink) {
    auto w = open("a \253Casa\273 b {L:Mi casa,ver}");  // « and » in Windows-1252
    CardTextEdit& editor = *w->txtTxt();
    for (const int position : {0, 4, 13}) {
        editor.Seleccionar(position, 0);
        const QPoint point = editor.cursorRect().center();
        QTest::mouseClick(editor.viewport(), Qt::LeftButton, Qt::ControlModifier, point);
    }
    ASSERT_EQ(services.shown.size(), 2u);
    EXPECT_EQ(services.shown[0].id, file->SrchNtry("Casa"));
    EXPECT_EQ(services.shown[1].id, file->SrchNtry("Mi casa"));
}

}  // namespace
}  // namespace cartulo::windows
