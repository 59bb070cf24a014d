// The HTML export of a 5000-card file, per card, beside painting the same
// cards to PNG images in the same process, one image per card as ctu render
// makes them (without its process start, which would hide the export's own
// cost): publishing a card must cost no more than a picture of it.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <string>

#include "engine/cartulo.h"
#include "export/site_export.h"
#include "platform/qt_picture.h"
#include "platform/qt_surface.h"
#include "ratio.h"
#include "richtext/binding_resources.h"
#include "richtext/image_cache.h"
#include "richtext/our_mc.h"
#include "spanish_text.h"
#include "temp_folder.h"

namespace {

using namespace cartulo::bench;

constexpr int kCards = 5000;  // the main card included
constexpr std::size_t kTextLength = 600;
constexpr int kWidth = 800;  // pixels, ctu render's default
// Painting every card would take minutes: one card in this many is painted,
// and both sides are timed per card. Prime, so the painted cards hold
// formulas as often as the whole file does.
constexpr int kPaintEvery = 23;

// Cards of plain sentences with some style, a link to another card (one in
// ten broken) and, now and then, a formula.
cartulo::cCartulo& SharedFile() {
    static cartulo::cCartulo file;
    static const bool made = [] {
        file.NewFile("Exportaci\xF3n");
        SpanishText words(2026);
        std::vector<std::string> entries;
        for (int i = 1; i < kCards; ++i) entries.push_back(words.Entry(i));
        for (int i = 1; i < kCards; ++i) {
            const cartulo::CardId card = file.NewCard(entries[static_cast<std::size_t>(i - 1)]);
            std::string text =
                "{N}" + words.Word() + "{N} " + words.Text(kTextLength) + " \xAB" +
                (i % 10 == 0 ? std::string("nadie") : entries[words.Below(entries.size())]) +
                "\xBB";
            if (i % 100 == 0) text += " {FO:@frc[1,n]}";
            file.SetTxt(card, text);
        }
        return true;
    }();
    (void)made;
    return file;
}

void BM_ExportPerCard(benchmark::State& state) {
    const cartulo::cCartulo& file = SharedFile();
    for (auto _ : state) {
        TempFolder folder;
        cartulo::exporting::ExportOptions options;
        options.folder = folder.File("sitio");
        const auto start = std::chrono::steady_clock::now();
        const auto report = cartulo::exporting::ExportCards(file, options);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count() / kCards);
        if (report.pages != kCards) state.SkipWithError("the export failed");
    }
}

void BM_PngPerCard(benchmark::State& state) {
    cartulo::cCartulo& file = SharedFile();
    auto resources = std::make_shared<cartulo::BindingResources>();
    resources->imageCache = std::make_shared<cartulo::cImageCache>(
        std::make_unique<cartulo::platform::QtPictureLoader>());
    cartulo::cOurMC renderer(resources);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        int painted = 0;
        int n = 0;
        for (cartulo::CardId card = file.FirstCard(); card != -1; card = file.NextCard(card)) {
            if (n++ % kPaintEvery != 0) continue;
            ++painted;
            const std::string text = file.GetTxt(card);
            // As ctu render: measured on a ruler row, then painted and encoded.
            QImage ruler(kWidth, 1, QImage::Format_RGB32);
            double height = 1;
            {
                cartulo::platform::QtSurface measuring(ruler);
                renderer.SetCtrl(&measuring);
                const float end = renderer.DrawText(text, 0, 0, 0, -1);
                height =
                    std::max<double>(std::ceil(std::max(end, renderer.pMC().PaintedBottom())), 1);
                renderer.SetCtrl(nullptr);
            }
            QImage image(kWidth, static_cast<int>(std::min(height, 32767.0)), QImage::Format_RGB32);
            image.fill(Qt::white);
            {
                cartulo::platform::QtSurface surface(image);
                renderer.SetCtrl(&surface);
                renderer.DrawText(text, 0, 0, 0, -1);
                renderer.SetCtrl(nullptr);
            }
            QBuffer png;
            png.open(QIODevice::WriteOnly);
            image.save(&png, "PNG");
            benchmark::DoNotOptimize(png.data().size());
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count() / painted);
    }
}

const Ratio kExport{"export_per_card", "BM_ExportPerCard", "BM_PngPerCard", 1};

}  // namespace

// Timed per card by hand: the two sides handle different numbers of cards.
void PerCard(benchmark::internal::Benchmark* benchmark) {
    benchmark->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->UseManualTime()
        ->Repetitions(3)
        ->DisplayAggregatesOnly(true);
}

BENCHMARK(BM_ExportPerCard)->Apply(PerCard);
BENCHMARK(BM_PngPerCard)->Apply(PerCard);
