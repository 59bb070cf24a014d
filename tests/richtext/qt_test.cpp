// The binding on the Qt surface: presses on a backing image, pointers, remembered layouts.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QApplication>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt_picture.h"
#include "platform/qt_surface.h"
#include "platform/symbol_pictures.h"
#include "platform/system_sound.h"
#include "random_card.h"
#include "richtext/binding_resources.h"
#include "richtext/image_cache.h"
#include "richtext/our_mc.h"

namespace cartulo {
namespace {

using testing::CallOutcome;
using testing::RandomCard;

std::shared_ptr<BindingResources> qtResources() {
    auto res = std::make_shared<BindingResources>();
    res->imageCache = std::make_shared<cImageCache>(std::make_unique<platform::QtPictureLoader>());
    const platform::SymbolPictures symbols = platform::MakeSymbolPictures();
    res->speaker = symbols.speaker;
    res->speakerPressed = symbols.speakerPressed;
    res->playSound = platform::PlaySoundFile;
    return res;
}

bool savePicture(const QTemporaryDir& dir, const char* name, Qt::GlobalColor color) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(color);
    return image.save(dir.filePath(name), "PNG");
}

// Buttons press on the backing image and ask for refreshes; the pointer goes to its widget.
TEST(OurMCOnQt, ABackingImageShowsPressesAndShapesThePointerOfItsWidget) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(savePicture(dir, "normal.png", Qt::red));
    ASSERT_TRUE(savePicture(dir, "pulsado.png", Qt::blue));
    cOurMC mc(qtResources());
    mc.SetBasePath(QFile::encodeName(dir.path()).toStdString());
    std::vector<std::string> commands;
    mc.Exec = [&](const std::string& command) { commands.push_back(command); };

    QWidget window;
    window.resize(300, 60);
    QImage backing(300, 60, QImage::Format_RGB32);
    backing.fill(Qt::white);
    platform::QtSurface surface(backing);
    std::vector<QRect> refreshed;
    surface.SetRefreshHandler([&](const QRect& r) { refreshed.push_back(r); });
    surface.SetPointerWidget(&window);
    mc.SetCtrl(&surface, cOurMC::Bind::PictureControl);
    mc.DrawText("{B:normal.png,pulsado.png,abrir} {L:Casa,la casa}", 0, 0, 0, -1);
    surface.End();
    ASSERT_EQ(mc.pMC().HotZones().Count(), 2u);
    const auto& button = mc.pMC().HotZones().At(0);
    const QRect picture(static_cast<int>(button.x1), static_cast<int>(button.y1), 20, 20);

    // The press lands on the image, with the pointer on the widget.
    const auto x = static_cast<float>(button.x1 + 9), y = static_cast<float>(button.y1 + 9);
    auto colourAt = [&] { return backing.pixelColor(static_cast<int>(x), static_cast<int>(y)); };
    mc.MouseMove(1, x, y);
    EXPECT_EQ(window.cursor().shape(), Qt::UpArrowCursor);
    mc.MouseDown(1, x, y);
    EXPECT_EQ(colourAt(), QColor(Qt::blue));
    mc.MouseMove(1, 150, 50);
    EXPECT_EQ(colourAt(), QColor(Qt::red));
    mc.MouseMove(1, x, y);
    mc.MouseUp(1, x, y);
    EXPECT_EQ(colourAt(), QColor(Qt::red));
    EXPECT_EQ(commands, std::vector<std::string>{"abrir"});
    ASSERT_EQ(refreshed.size(), 4u);
    for (const QRect& r : refreshed) EXPECT_TRUE(r.contains(picture)) << r.x() << "," << r.y();

    // A widget named later takes the shape at once; one gone is forgotten.
    auto later = std::make_unique<QWidget>();
    surface.SetPointerWidget(later.get());
    EXPECT_EQ(later->cursor().shape(), Qt::UpArrowCursor);
    later.reset();
    EXPECT_EQ(surface.PointerWidget(), nullptr);
    mc.MouseMove(0, 295, 55);
    EXPECT_EQ(surface.Pointer(), PointerShape::Default);
}

TEST(OurMCOnQt, SoundFilesPlayThroughTheHookAndTheRestStaysSilent) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto bytes = [&dir](const char* name) {
        return QFile::encodeName(dir.filePath(name)).toStdString();
    };
    ASSERT_EQ(::mkfifo(bytes("tubo").c_str(), 0600), 0);
    // A mono 8-bit WAV of 100 samples.
    QByteArray wav(
        "RIFF\x88\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x40\x1f\0\0"
        "\x01\0\x08\0data\x64\0\0\0",
        44);
    wav.append(100, '\x80');
    QFile file(dir.filePath("s.wav"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(wav) == wav.size());
    file.close();
    const auto play = qtResources()->playSound;
    const QString before = platform::SoundFileLoaded();
    // None of these may block or fail: a FIFO is never opened.
    for (const std::string& path : {bytes("tubo"), QFile::encodeName(dir.path()).toStdString(),
                                    bytes("falta.wav"), std::string("a\0b", 3), std::string()}) {
        play(path);
        EXPECT_EQ(platform::SoundFileLoaded(), before) << path;
    }
    // Given to the player, which plays it when there is an audio output.
    play(bytes("s.wav"));
    EXPECT_EQ(platform::SoundFileLoaded(), dir.filePath("s.wav"));
    // A read still running when the test ends would outlive the application.
    EXPECT_TRUE(QTest::qWaitFor([] { return !platform::SoundFileLoading(); }, 10000));
}

TEST(RememberedLayoutOnQt, MatchesALayoutFromScratchAfterEveryEdit) {
    QTemporaryDir dir;
    QImage logo(30, 20, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(dir.filePath("logo.png"), "PNG"));
    cImageCache cache(std::make_unique<platform::QtPictureLoader>());
    const auto setUp = [&](cZuzodIvodure& engine, Surface& on) {
        engine.DefaultFont = "Arial";
        engine.ImageCache = &cache;
        engine.BasePath = dir.path().toStdString();
        engine.Ctrl = &on;
    };
    cZuzodIvodure kept;
    QImage keptImage(500, 700, QImage::Format_RGB32), freshImage(500, 700, QImage::Format_RGB32);
    for (unsigned seed = 1; seed <= 3; ++seed) {
        RandomCard random(seed);
        std::string text = random.Text(300);
        for (int edit = 0; edit < 25; ++edit) {
            SCOPED_TRACE(::testing::Message() << "seed " << seed << ", edit " << edit);
            random.Edit(text);
            const float bottom = edit % 4 == 1 ? 400 : -1;
            keptImage.fill(Qt::white);
            freshImage.fill(Qt::white);
            {
                platform::QtSurface keptSurface(keptImage), freshSurface(freshImage);
                cZuzodIvodure measuring, painting;
                setUp(kept, keptSurface);
                setUp(measuring, freshSurface);
                setUp(painting, freshSurface);
                EXPECT_EQ(CallOutcome(kept, kept.SizeText(text, 5, 0, 0, bottom)),
                          CallOutcome(measuring, measuring.SizeText(text, 5, 0, 0, bottom)));
                EXPECT_EQ(testing::StateOf(keptSurface), testing::StateOf(freshSurface));
                EXPECT_EQ(CallOutcome(kept, kept.DrawText(text, 5, 0, 0, bottom)),
                          CallOutcome(painting, painting.DrawText(text, 5, 0, 0, bottom)));
                EXPECT_EQ(testing::StateOf(keptSurface), testing::StateOf(freshSurface));
                kept.Ctrl = nullptr;
            }
            EXPECT_TRUE(keptImage == freshImage);
            // Scrolled, painting only what shows: the same heights and end.
            platform::QtSurface keptSurface(keptImage), freshSurface(freshImage);
            cZuzodIvodure scrolled;
            setUp(kept, keptSurface);
            setUp(scrolled, freshSurface);
            kept.PaintOnlyVisible = true;
            EXPECT_EQ(kept.DrawText(text, -300, 0, 0, -1), scrolled.DrawText(text, -300, 0, 0, -1));
            EXPECT_EQ(kept.PaintedBottom(), scrolled.PaintedBottom());
            EXPECT_EQ(kept.GetTextPointer(), scrolled.GetTextPointer());
            kept.PaintOnlyVisible = false;
            kept.Ctrl = nullptr;
        }
    }
}

}  // namespace
}  // namespace cartulo

// Widgets, fonts and the pointer all need an application object.
int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
