#include "windows/frm_portapapeles.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/clipboard.h"
#include "fake_main_services.h"
#include "platform/qt_clipboard.h"
#include "windows/preview_canvas.h"

namespace cartulo::windows {
namespace {

using Clase = frmPortapapeles::Clase;

class ClipboardViewer : public ::testing::Test {
  protected:
    void SetUp() override {
        SetClipboard(std::make_shared<platform::QtClipboard>());
        QGuiApplication::clipboard()->clear();
        ASSERT_TRUE(file->NewFile("Despensa"));
        ASSERT_TRUE(file->SetTxt(file->GetMain(), "Despensa\r\nlista"));
        pan = testing::NewCard(*file, "Pan", "x");
        viewer = std::make_unique<frmPortapapeles>(services);
        viewer->show();
    }
    void TearDown() override {
        viewer.reset();
        QGuiApplication::clipboard()->clear();
        SetClipboard(nullptr);
    }
    // A change of the clipboard, taken as the event loop would.
    void Put(const std::function<void()>& change) {
        change();
        viewer->RefrescarSiPendiente();
    }
    void PutText(const std::string& text) {
        Put([&] { QGuiApplication::clipboard()->setText(QString::fromStdString(text)); });
    }

    testing::FakeMainServices services;
    std::shared_ptr<cCartulo> file = std::make_shared<cCartulo>();
    CardId pan = kNoCard;
    std::unique_ptr<frmPortapapeles> viewer;
};

const std::string kHeading = "{mu:1}{t:11}{n}";
const std::string kGap = "{n}{t}\r\n{w:12}\r\n{w:15}{mu:6}";

TEST_F(ClipboardViewer, ShowsTextAsMarkupACopiedCardAsACardAndNothingForAnEmptyClipboard) {
    const CardId braces = file->NewCard("Llave {b}");
    const struct {
        std::function<void()> change;
        Clase kind;
        std::string shown;
    } cases[] = {
        {[] { QGuiApplication::clipboard()->setText("uno {b}dos\nx\r\ny"); }, Clase::Texto,
         "uno {b}dos\r\nx\r\ny"},
        {[&] { file->CopyCard(pan); }, Clase::Texto, kHeading + "Pan" + kGap + "x"},
        {[&] { file->CopyCard(file->GetMain()); }, Clase::Texto,
         kHeading + kGap + "Despensa\r\nlista"},
        {[&] { file->CopyCard(braces); }, Clase::Texto, kHeading + "Llave {@:la}b{@:lc}" + kGap},
        {[] {
             auto* other = new QMimeData;  // neither text nor a picture
             other->setData("application/x-otra", "datos");
             QGuiApplication::clipboard()->setMimeData(other);
         },
         Clase::Nada, ""},
        {[] { QGuiApplication::clipboard()->clear(); }, Clase::Nada, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        Put(c.change);
        EXPECT_EQ(viewer->ClaseMostrada(), c.kind);
        EXPECT_EQ(viewer->TextoMostrado(), c.shown);
        EXPECT_EQ(viewer->picTexto()->isVisible(), c.kind == Clase::Texto);
        EXPECT_FALSE(viewer->picImagenFrame()->isVisible());
    }
}

TEST_F(ClipboardViewer, ShowsAPictureWithScrollBarsAndDocksAtTheLowerRight) {
    QImage picture(900, 700, QImage::Format_RGB32);
    picture.fill(Qt::red);
    Put([&] { QGuiApplication::clipboard()->setImage(picture); });
    EXPECT_EQ(viewer->ClaseMostrada(), Clase::Imagen);
    EXPECT_FALSE(viewer->picTexto()->isVisible());
    ASSERT_TRUE(viewer->picImagenFrame()->isVisible());
    EXPECT_EQ(viewer->picImagen()->size(), picture.size());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return viewer->picImagenFrame()->horizontalScrollBar()->maximum() > 0; }, 5000));
    EXPECT_GT(viewer->picImagenFrame()->verticalScrollBar()->maximum(), 0);
    PutText("fin");
    EXPECT_EQ(viewer->ClaseMostrada(), Clase::Texto);
    EXPECT_FALSE(viewer->picImagenFrame()->isVisible());

    // Docked at the lower right; it answers the main window's questions.
    EXPECT_EQ(viewer->geometry(), QRect(1000 - 205 - 30, 700 * 2 / 3, 205, viewer->height()));
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Portapapeles"));
    EXPECT_EQ(viewer->Comando("PermiteEdicion"), QVariant(false));
    viewer->CrearBotones();
    EXPECT_EQ(services.barClears, 1);
}

TEST_F(ClipboardViewer, ThousandsOfCopiesDecodeEveryTimeAndTheSameContentDoesNotRepaint) {
    Put([&] { file->CopyCard(pan); });
    const int repaints = viewer->Repintados();
    // A card decoded through a card file of its own would run out of records.
    for (int i = 0; i < 6000; ++i) Put([&] { file->CopyCard(pan); });
    EXPECT_EQ(viewer->TextoMostrado(), kHeading + "Pan" + kGap + "x");
    PutText("hola");
    PutText("hola");
    EXPECT_EQ(viewer->Repintados(), repaints + 1);
}

TEST_F(ClipboardViewer, AHugeTextIsLaidOutOnlyDownToTheWindowsBottom) {
    std::string lines, words;
    while (lines.size() < 3'000'000) lines += "Una linea del portapapeles\r\n";
    while (words.size() < 3'000'000) words += "palabra ";
    for (const std::string& text : {lines, words}) {
        PutText(text);
        ASSERT_EQ(viewer->TextoMostrado().size(), text.size());
        const std::int32_t laidOut = viewer->picTexto()->Renderer().GetTextPointer();
        EXPECT_GT(laidOut, 100);
        EXPECT_LT(laidOut, 20'000);
        EXPECT_FALSE(viewer->picTexto()->FinalPintado());
    }
}

}  // namespace
}  // namespace cartulo::windows
