#include "windows/frm_vista_previa.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/cartulos.h"
#include "fake_main_services.h"
#include "platform/qt_picture.h"
#include "platform/qt_surface.h"
#include "platform/symbol_pictures.h"
#include "richtext/binding_resources.h"
#include "richtext/image_cache.h"
#include "richtext/our_mc.h"
#include "windows/preview_canvas.h"
#include "windows/preview_clip_surface.h"
#include "windows/preview_close_button.h"
#include "windows/preview_size_grip.h"

namespace cartulo::windows {
namespace {

using testing::FakeMainServices;
using testing::NewCard;

// The lowest of the image's top `rows` rows holding anything but white; -1 when none.
int lowestInk(const QImage& image, int rows) {
    for (int y = std::min(rows, image.height()) - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) return y;
        }
    }
    return -1;
}

bool hasInk(const QImage& image) {
    return lowestInk(image, image.height()) >= 0;
}

void sendMouse(QWidget* widget, QEvent::Type type, QPoint position, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(position), QPointF(widget->mapToGlobal(position)), button,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

class PreviewWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        preview = std::make_unique<frmVistaPrevia>(
            services, [this] { return now; }, nullptr, &registry);
        preview->resize(400, 300);
        preview->show();
        settle();
    }

    // Lets the event loop paint what is due.
    void settle() {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !preview->RepintePendiente(); }, 10000));
    }

    std::shared_ptr<cCartulo> savedFile(const QString& folder, const std::string& title) {
        auto file = std::make_shared<cCartulo>();
        EXPECT_TRUE(file->NewFile(title));
        EXPECT_TRUE(QDir(dir.path()).mkpath(folder));
        const QString path = dir.path() + "/" + folder + "/archivo.ctu";
        file->SetChanged();  // a new file is saved only once something changed
        EXPECT_TRUE(file->SaveFile(QFile::encodeName(path).toStdString()));
        return file;
    }

    static std::shared_ptr<cCartulo> notes() {
        auto file = std::make_shared<cCartulo>();
        EXPECT_TRUE(file->NewFile("Notas"));
        return file;
    }

    void hoverCorner() {
        sendMouse(preview.get(), QEvent::MouseMove, {preview->width() - 10, 10}, Qt::NoButton,
                  Qt::NoButton);
    }

    // Scrolled to the end, the last line sits just above the area's bottom gap.
    void expectEndShown() {
        QTest::keyClick(preview.get(), Qt::Key_End);
        settle();
        EXPECT_EQ(preview->scrVertical()->value(), preview->scrVertical()->maximum());
        EXPECT_TRUE(preview->picSalida()->FinalPintado());
        const int view = preview->picSalida()->height();
        const int last = lowestInk(image(), view);
        EXPECT_GT(last, view - 60);
        EXPECT_LE(last, view - frmVistaPrevia::kMargenTextoPixeles);
    }

    const QImage& image() const { return preview->picSalida()->Imagen(); }

    QTemporaryDir dir;
    FakeMainServices services;
    cCartulos registry;
    std::uint32_t now = 1000;
    std::unique_ptr<frmVistaPrevia> preview;
};

TEST_F(PreviewWindow, FollowsTheActiveCardRepaintingOncePerTurnAndEscapeOpensIt) {
    auto file = notes();
    const CardId alfa = NewCard(*file, "Alfa", "Texto {N}negrita{N} con un \253enlace\273.");
    const CardId beta = NewCard(*file, "Beta", "Otra ficha");
    const CardId sister = file->NewAlias(beta, "Hermana");
    QTest::keyClick(preview.get(), Qt::Key_Escape);  // no card: nothing to open
    EXPECT_TRUE(services.shown.empty());
    EXPECT_FALSE(hasInk(image()));

    preview->Mostrar(file, alfa);
    settle();
    EXPECT_EQ(preview->Cartulo(), file);
    EXPECT_EQ(preview->ID(), alfa);
    EXPECT_EQ(preview->Titulo(), " Alfa");
    EXPECT_TRUE(hasInk(image()));
    QTest::keyClick(preview.get(), Qt::Key_Escape);
    QTest::keyClick(preview.get(), Qt::Key_Escape, Qt::ShiftModifier);  // not the preview's key
    QTest::keyClick(preview.get(), Qt::Key_Escape, Qt::ControlModifier);
    ASSERT_EQ(services.shown.size(), 1u);
    EXPECT_EQ(services.shown[0].file, file);
    EXPECT_EQ(services.shown[0].id, alfa);

    // Another window of the same card: nothing to paint.
    int repaints = preview->Repintados();
    preview->Mostrar(file, alfa);
    EXPECT_FALSE(preview->RepintePendiente());
    QCoreApplication::processEvents();
    EXPECT_EQ(preview->Repintados(), repaints);
    preview->Mostrar(file, beta);
    settle();
    EXPECT_EQ(preview->Repintados(), ++repaints);

    // Edits of other cards paint nothing.
    ASSERT_TRUE(file->SetTxt(alfa, "cambiada"));
    EXPECT_FALSE(preview->RepintePendiente());

    // Edits of the card or its sisters: one repaint, after them.
    ASSERT_TRUE(file->SetTxt(beta, "segundo"));
    ASSERT_TRUE(file->SetTxt(sister, "tercero"));
    EXPECT_EQ(preview->Repintados(), repaints) << "nothing is painted inside the edits";
    settle();
    EXPECT_EQ(preview->Repintados(), ++repaints);
    preview->Mostrar(file, sister);
    settle();
    repaints = preview->Repintados();
    ASSERT_TRUE(file->SetTxt(beta, "cuarto"));
    settle();
    EXPECT_EQ(preview->Repintados(), repaints + 1);

    // Opened from a window that shows no card.
    preview->Vaciar();
    settle();
    EXPECT_EQ(preview->Cartulo(), nullptr);
    EXPECT_EQ(preview->ID(), kNoCard);
    EXPECT_EQ(preview->Titulo(), "");
    EXPECT_FALSE(hasInk(image()));
}

TEST_F(PreviewWindow, AnotherFileStartsWithNoCardAndItsOwnFolder) {
    auto one = savedFile("uno", "Uno");
    auto two = savedFile("dos", "Dos");
    const CardId inOne = NewCard(*one, "Ficha", "en el primero");
    ASSERT_EQ(NewCard(*two, "Ficha", "en el segundo"), inOne);
    const auto folder = [&](const QString& path) { return QFile::encodeName(path).toStdString(); };

    preview->Mostrar(one, inOne);
    settle();
    EXPECT_EQ(preview->Renderer().BasePath(), folder(dir.path() + "/uno"));
    const int repaints = preview->Repintados();
    // The same identifier in another file is another card.
    preview->Mostrar(two, inOne);
    settle();
    EXPECT_EQ(preview->Repintados(), repaints + 1);
    EXPECT_EQ(preview->Renderer().BasePath(), folder(dir.path() + "/dos"));

    preview->SetCartulo(one);
    EXPECT_EQ(preview->ID(), kNoCard);
    EXPECT_EQ(preview->Titulo(), "");

    // Saved in another folder since: its pictures are looked for there.
    ASSERT_TRUE(QDir(dir.path()).mkpath("tres"));
    one->SetChanged();
    ASSERT_TRUE(one->SaveFile(folder(dir.path() + "/tres/otro.ctu")));
    preview->Mostrar(one, inOne);
    EXPECT_EQ(preview->Renderer().BasePath(), folder(dir.path() + "/tres"));

    // A file never saved: pictures resolve in the program's folder.
    auto unsaved = notes();
    preview->Mostrar(unsaved, unsaved->GetMain());
    EXPECT_EQ(preview->Renderer().BasePath(), folder(QCoreApplication::applicationDirPath()));
    EXPECT_EQ(preview->Titulo(), " ");
}

TEST_F(PreviewWindow, EmptiesWhenItsCardOrFileCloses) {
    auto file = savedFile("cierre", "Cierre");
    const CardId gone = NewCard(*file, "Borrada", "se borra");
    const CardId kept = NewCard(*file, "Queda", "queda");
    preview->Mostrar(file, gone);
    settle();
    ASSERT_TRUE(hasInk(image()));
    ASSERT_EQ(file->DelCard(gone), 0);
    EXPECT_EQ(preview->ID(), kNoCard);
    EXPECT_EQ(preview->Titulo(), "");
    settle();
    EXPECT_FALSE(hasInk(image()));
    EXPECT_EQ(preview->Cartulo(), file);

    preview->SetID(kept);
    settle();
    file->CloseFile();
    EXPECT_EQ(preview->Cartulo(), nullptr);
    EXPECT_EQ(preview->ID(), kNoCard);
    settle();
    EXPECT_FALSE(hasInk(image()));

    // A file taken out of the registry of open files.
    auto listed = notes();
    registry.AddFile(listed);
    registry.AddFile(file);
    preview->Mostrar(listed, listed->GetMain());
    registry.RemoveItem(registry.FindFile(file.get()));
    EXPECT_EQ(preview->Cartulo(), listed);
    registry.RemoveItem(registry.FindFile(listed.get()));
    EXPECT_EQ(preview->Cartulo(), nullptr);
    EXPECT_EQ(preview->ID(), kNoCard);
}

// The program's resources, with a recorded sound player, for the bindings made meanwhile.
struct RecordedResources {
    RecordedResources() {
        auto res = std::make_shared<BindingResources>();
        res->imageCache =
            std::make_shared<cImageCache>(std::make_unique<platform::QtPictureLoader>());
        const platform::SymbolPictures symbols = platform::MakeSymbolPictures();
        res->speaker = symbols.speaker;
        res->speakerPressed = symbols.speakerPressed;
        res->playSound = [this](const std::string& path) { sounds.push_back(path); };
        SetProgramResources(res);
    }
    ~RecordedResources() { SetProgramResources(nullptr); }
    std::vector<std::string> sounds;
};

TEST_F(PreviewWindow, ALinkOpensItsCardAndNoCommandRuns) {
    RecordedResources resources;
    preview = std::make_unique<frmVistaPrevia>(
        services, [this] { return now; }, nullptr, &registry);
    preview->show();
    auto file = savedFile("enlaces", "Enlaces");
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(dir.path() + "/enlaces/b.png", "PNG"));
    const CardId beta = NewCard(*file, "Beta", "destino");
    preview->Mostrar(file, NewCard(*file, "Origen",
                                   "\xAB"
                                   "Beta\xBB \xAB"
                                   "Nadie\xBB {S:s.wav} {B:b.png,orden} "
                                   "{P:aviso,arg} {H:b.png,0,0,15,15,orden}"));
    settle();
    const richtext::HotZoneTable& zones = preview->Renderer().pMC().HotZones();
    ASSERT_EQ(zones.Count(), 6u);
    PreviewCanvas* canvas = preview->picSalida();
    const auto area = [&](std::size_t i) {
        const richtext::HotZone& z = zones.At(i);
        return QRect(QPoint(qRound(z.x1), qRound(z.y1)), QPoint(qRound(z.x2), qRound(z.y2)));
    };
    const auto at = [&](std::size_t i) { return area(i).center() / canvas->devicePixelRatioF(); };
    sendMouse(canvas, QEvent::MouseMove, at(0), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(canvas->cursor().shape(), Qt::UpArrowCursor);

    // Only the sound (2) and button (3) look pressed; only Beta's link (0) opens, after the event.
    for (std::size_t i = 0; i < zones.Count(); ++i) {
        const QImage before = image().copy(area(i));
        sendMouse(canvas, QEvent::MouseButtonPress, at(i), Qt::LeftButton, Qt::LeftButton);
        EXPECT_EQ(image().copy(area(i)) != before, i == 2 || i == 3) << i;
        sendMouse(canvas, QEvent::MouseButtonRelease, at(i), Qt::LeftButton, Qt::NoButton);
        EXPECT_TRUE(image().copy(area(i)) == before) << i;
        EXPECT_EQ(services.shown.size(), i == 0 ? 0u : 1u) << i;
        QCoreApplication::processEvents();
        ASSERT_EQ(services.shown.size(), 1u) << i;
    }
    EXPECT_EQ(services.shown[0].file, file);
    EXPECT_EQ(services.shown[0].id, beta);
    EXPECT_EQ(resources.sounds,
              std::vector{QFile::encodeName(dir.path() + "/enlaces/s.wav").toStdString()});
    EXPECT_TRUE(services.commands.empty());

    // Emptied: the last card's zones are gone with it.
    const QPoint link = at(0);
    preview->Vaciar();
    settle();
    sendMouse(canvas, QEvent::MouseButtonPress, link, Qt::LeftButton, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(services.shown.size(), 1u);
    EXPECT_NE(canvas->cursor().shape(), Qt::UpArrowCursor);
}

TEST_F(PreviewWindow, ALongCardScrollsToItsEndEvenWhenMovedDownByVd) {
    auto file = notes();
    std::string text, shifted;
    for (int i = 1; i <= 300; ++i) {
        const std::string line = "L\xEDnea " + std::to_string(i) + "\r\n";
        text += line;
        // Well below the first panel, so the first painting never reaches them.
        shifted += (i == 120 || i == 160 ? "{VD:150}" : "") + line;
    }
    text += "FINAL";
    shifted += "FINAL";
    const CardId longCard = NewCard(*file, "Larga", text);

    preview->Mostrar(file, longCard);
    settle();
    QScrollBar* bar = preview->scrVertical();
    ASSERT_TRUE(bar->isVisible());
    const int plainRange = bar->maximum();
    EXPECT_GT(plainRange, 0);
    EXPECT_EQ(bar->pageStep(), preview->picSalida()->height());
    EXPECT_FALSE(preview->picSalida()->FinalPintado());
    expectEndShown();

    // Another card shows from its top; 300 pt more at 96 dpi.
    const CardId second = NewCard(*file, "Desplazada", shifted);
    preview->Mostrar(file, second);
    EXPECT_EQ(bar->value(), 0);
    settle();
    EXPECT_FALSE(preview->picSalida()->FinalPintado());
    EXPECT_NEAR(bar->maximum(), plainRange + qRound(300 * preview->logicalDpiY() / 72.0), 2);
    expectEndShown();

    // A short text again: the bar goes and the text shows from its top.
    ASSERT_GT(bar->value(), 0);
    ASSERT_TRUE(file->SetTxt(second, "corta"));
    settle();
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(bar->value(), 0);
    EXPECT_TRUE(preview->picSalida()->FinalPintado());
    EXPECT_TRUE(hasInk(image()));
}

TEST_F(PreviewWindow, OnlyANewWidthLaysOutAgainRollsUpAndResizesWithinItsLimits) {
    auto file = notes();
    preview->Mostrar(file, NewCard(*file, "Ficha", "Unas palabras que ocupan algo de sitio."));
    settle();
    const int repaints = preview->Repintados();

    preview->resize(400, 250);
    preview->resize(400, 300);
    EXPECT_FALSE(preview->RepintePendiente());
    preview->resize(360, 300);
    EXPECT_TRUE(preview->RepintePendiente());
    settle();
    EXPECT_EQ(preview->Repintados(), repaints + 1);
    EXPECT_EQ(image().width(),
              qRound(preview->picSalida()->width() * preview->picSalida()->devicePixelRatioF()));

    // Rolled up and unrolled by a right click; the grip stops at the minimum size.
    preview->resize(400, 300);
    const int strip = qRound(frmVistaPrevia::kAltoTiraTwips / 15.0);

    sendMouse(preview.get(), QEvent::MouseButtonPress, {100, 10}, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(preview->height(), strip + 1);
    EXPECT_TRUE(preview->Minimizada());
    sendMouse(preview.get(), QEvent::MouseButtonPress, {100, 10}, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(preview->height(), 300);
    PreviewSizeGrip* grip = preview->picAgarre();
    ASSERT_TRUE(grip->isVisible());
    const QPoint inGrip(grip->width() / 2, grip->height() / 2);
    sendMouse(grip, QEvent::MouseButtonPress, inGrip, Qt::LeftButton, Qt::LeftButton);
    sendMouse(grip, QEvent::MouseMove, inGrip - QPoint(2000, 2000), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(preview->size(),
              QSize(frmVistaPrevia::kAnchoMinimoTwips / 15, frmVistaPrevia::kAltoMinimoTwips / 15));
    sendMouse(grip, QEvent::MouseButtonRelease, inGrip, Qt::LeftButton, Qt::NoButton);
}

TEST_F(PreviewWindow, CloseButtonShowsNearTheCornerForItsTime) {
    auto file = notes();
    preview->Mostrar(file, file->GetMain());
    PreviewCloseButton* button = preview->cmdCerrar();
    ASSERT_TRUE(button->isHidden());

    sendMouse(preview.get(), QEvent::MouseMove, {100, 10}, Qt::NoButton, Qt::NoButton);
    EXPECT_TRUE(button->isHidden());
    now = 0xFFFFFF00u;  // the tick counter wraps meanwhile
    hoverCorner();
    EXPECT_FALSE(button->isHidden());
    now += frmVistaPrevia::kMsBotonCerrar;
    preview->tmrCerrar_Timer();
    EXPECT_FALSE(button->isHidden());
    now += 1;
    preview->tmrCerrar_Timer();
    EXPECT_TRUE(button->isHidden());

    // Held down, it stays; released away from it, nothing happens.
    hoverCorner();
    const QPoint inside(button->width() / 2, button->height() / 2);
    sendMouse(button, QEvent::MouseButtonPress, inside, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(button->Pulsado());
    now += 5000;
    preview->tmrCerrar_Timer();
    EXPECT_FALSE(button->isHidden());
    sendMouse(button, QEvent::MouseMove, {-50, 40}, Qt::NoButton, Qt::LeftButton);
    EXPECT_FALSE(button->Pulsado());
    sendMouse(button, QEvent::MouseButtonRelease, {-50, 40}, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(preview->isVisible());
}

TEST_F(PreviewWindow, AHandlerOfItsClosingMayDeleteItAtOnce) {
    auto file = notes();
    preview->Mostrar(file, file->GetMain());
    int closings = 0;
    QObject::connect(preview.get(), &frmVistaPrevia::cerrada, [&] {
        ++closings;
        EXPECT_EQ(preview->Cartulo(), nullptr);  // it let go first
        delete preview.release();
    });

    hoverCorner();
    PreviewCloseButton* button = preview->cmdCerrar();
    ASSERT_TRUE(button->isVisible());
    // Two clicks before the event loop turns: one closing.
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(closings, 0);  // not inside the button's own event
    ASSERT_TRUE(QTest::qWaitFor([&] { return preview == nullptr; }, 10000));
    QCoreApplication::processEvents();
    EXPECT_EQ(closings, 1);
    EXPECT_EQ(file.use_count(), 1);
}

TEST_F(PreviewWindow, AFileClosedWhileOnlyThePreviewHoldsItOutlivesItsClose) {
    auto file = savedFile("ultima", "\xDAltima");
    const CardId shown = NewCard(*file, "Ficha", "texto");
    preview->Mostrar(file, shown);
    settle();
    const std::weak_ptr<cCartulo> watch = file;
    cCartulo* closing = file.get();
    file.reset();
    ASSERT_FALSE(watch.expired());

    closing->CloseFile();
    EXPECT_FALSE(watch.expired()) << "let go only after its CloseFile returned";
    EXPECT_EQ(preview->Cartulo(), nullptr);
    EXPECT_EQ(preview->ID(), kNoCard);
    ASSERT_TRUE(QTest::qWaitFor([&] { return watch.expired(); }, 10000));
}

TEST(PreviewClipSurface, DropsOnlyInkThatWouldNotShow) {
    std::string text;
    for (int i = 1; i <= 60; ++i) {
        text += "{N}L\xEDnea{N} " + std::to_string(i) +
                " con un \xAB"
                "enlace\xBB, {Q:rojo}color{Q}" +
                " y {U}subrayado{U}; {T:18}grande{T} y H{ID:2}O.\r\n";
    }
    // Painted from far above the image, as a card scrolled down.
    const auto paint = [&text](bool clipped, int* dropped) {
        QImage image(300, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        platform::QtSurface surface(image);
        PreviewClipSurface clip(surface);
        cOurMC mc(nullptr);
        mc.SetCtrl(clipped ? static_cast<Surface*>(&clip) : &surface);
        mc.DrawText(text, -900.5f, 0, 0, 1e9f);
        surface.End();
        if (dropped != nullptr) *dropped = clip.Dropped();
        return image;
    };
    int dropped = 0;
    const QImage clipped = paint(true, &dropped);
    EXPECT_GT(dropped, 100);
    EXPECT_TRUE(hasInk(clipped));
    EXPECT_TRUE(clipped == paint(false, nullptr));
}

}  // namespace
}  // namespace cartulo::windows
