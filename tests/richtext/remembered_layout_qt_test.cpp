// Layouts remembered across calls on the Qt surface, against layouts from
// scratch: the same results and the same pixels after every edit.
#include <QImage>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/qt_picture.h"
#include "platform/qt_surface.h"
#include "random_card.h"
#include "richtext/image_cache.h"

namespace cartulo {
namespace {

using testing::CallOutcome;
using testing::RandomCard;

TEST(RememberedLayoutOnQt, MatchesALayoutFromScratchAfterEveryEdit) {
    QTemporaryDir dir;
    QImage logo(30, 20, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(dir.filePath("logo.png"), "PNG"));
    cImageCache cache(std::make_unique<platform::QtPictureLoader>());
    const auto setUp = [&](cZuzodIvodure& engine) {
        engine.DefaultFont = "Arial";
        engine.ImageCache = &cache;
        engine.BasePath = dir.path().toStdString();
    };
    cZuzodIvodure kept;
    setUp(kept);
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
                kept.Ctrl = &keptSurface;
                cZuzodIvodure measuring, painting;
                for (cZuzodIvodure* fresh : {&measuring, &painting}) {
                    setUp(*fresh);
                    fresh->Ctrl = &freshSurface;
                }
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
            kept.Ctrl = &keptSurface;
            kept.PaintOnlyVisible = true;
            cZuzodIvodure scrolled;
            setUp(scrolled);
            scrolled.Ctrl = &freshSurface;
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
