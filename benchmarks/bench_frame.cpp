// One repaint of a long card: SizeText then DrawText of 20,000 characters
// of mixed markup on the Qt surface, into an 800-pixel-wide image as tall as
// the card, by the engine a window keeps (it remembers the layout of the
// last repaint). It must fit in one 16 ms frame. Beside it, with no target,
// what the preview does on one repaint of the card: a window's worth of it. The same by a new
// engine each time, which lays the whole card out, beside Qt's own QTextLayout laying out and
// drawing the same words without the markup. A card holding the largest
// table must also repaint inside one frame, measured beside as much plain
// text.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/qt_surface.h"
#include "platform/text_codec.h"
#include "ratio.h"
#include "richtext/zuzod_ivodure.h"
#include "spanish_text.h"

namespace {

using namespace cartulo::bench;
using cartulo::platform::QtSurface;

constexpr std::size_t kLength = 20'000;  // bytes of card text, markup included
constexpr int kWidth = 800;              // pixels
constexpr std::size_t kWordsPerParagraph = 70;
constexpr int kWindowHeight = 600;  // pixels of a preview window

// Tags put around a word: bold, italic, colour, size, a link, a space.
constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kStyles = {{
    {"{N}", "{N}"},
    {"{C}", "{C}"},
    {"{Q:rojo}", "{Q}"},
    {"{T:14}", "{T}"},
    {"\xAB", "\xBB"},
    {"{HD:10}", ""},
}};

// The card as a card file holds it, and what a reader sees of it: the same
// words and paragraphs with the tags and link quotes taken out.
struct Card {
    std::string markup;
    std::vector<QString> paragraphs;

    Card() {
        SpanishText words(2020);
        std::string plain;
        std::size_t inParagraph = 0;
        const auto add = [&](const std::string& tagged, const std::string& seen) {
            markup += tagged;
            plain += seen;
        };
        while (true) {
            const std::string w = words.Word();
            // Most words plain, the rest in one of the styles.
            const std::size_t style = words.Below(16);
            const std::string tagged =
                style < kStyles.size()
                    ? std::string(kStyles[style].first) + w + std::string(kStyles[style].second)
                    : w;
            const bool paragraphEnd = ++inParagraph == kWordsPerParagraph;
            const std::string end = paragraphEnd ? ".\r\n" : " ";
            if (markup.size() + tagged.size() + end.size() > kLength) break;
            add(tagged + end, w + end);
            if (paragraphEnd) inParagraph = 0;
        }
        // Made exact with one last word.
        const std::string filler(kLength - markup.size(), 'x');
        add(filler, filler);

        std::size_t start = 0;
        for (std::size_t end; (end = plain.find("\r\n", start)) != std::string::npos;
             start = end + 2) {
            paragraphs.push_back(cartulo::platform::toQString(plain.substr(start, end - start)));
        }
        paragraphs.push_back(cartulo::platform::toQString(plain.substr(start)));
    }
};

const Card& SharedCard() {
    static const Card card;
    return card;
}

// The largest table the markup allows, 20 x 20 cells of two letters (so it
// fits the image) with the default border width, ten of its cells short
// formulas (a fraction, a power: the table's cost, not the typesetter's),
// under a title line; and plain text of as many characters, laid out by the
// same engine.
struct TableCard {
    static constexpr int kSide = 20;
    static constexpr int kFormulaEvery = kSide * kSide / 10;

    std::string markup = "Tabla con f\xF3rmulas\r\n{TB:20,20,negro}";
    std::string plain;

    TableCard() {
        SpanishText words(2021);
        for (int row = 0; row < kSide; ++row) {
            for (int column = 0; column < kSide; ++column) {
                const int cell = row * kSide + column;
                if (cell % kFormulaEvery == 0) {
                    markup += cell % (2 * kFormulaEvery) == 0 ? "{FO:@frc[1,n]}" : "{FO:x@exp[2]}";
                } else {
                    markup += words.Word().substr(0, 2);
                }
                if (column + 1 < kSide) markup += "{!}";
            }
            markup += row + 1 < kSide ? "{-}" : "{\\}";
        }
        plain = words.Text(markup.size());
    }
};

const TableCard& SharedTableCard() {
    static const TableCard card;
    return card;
}

// The font the engine starts every card in, as the Qt surface resolves it,
// so that both sides draw the same glyphs.
QFont CardFont(QImage& device) {
    QtSurface surface(device);
    surface.SetFontName("Arial");
    surface.SetFontSize(12);
    return surface.QtFont();
}

void SetUpEngine(cartulo::cZuzodIvodure& engine) {
    engine.DefaultFont = "Arial";
    engine.DefaultSize = 12;
}

// Each frame on a fresh surface, as a paint event makes one (its width cache
// starts empty every time), or on one surface kept for every frame; by the
// same engine, or by a new one that remembers no layout.
void EngineFrames(benchmark::State& state, const std::string& markup, bool keepSurface,
                  bool newEngine = false) {
    std::optional<cartulo::cZuzodIvodure> engine(std::in_place);
    SetUpEngine(*engine);

    // The image is made once, as tall as the card: a window keeps its
    // backing store between repaints.
    QImage ruler(kWidth, 1, QImage::Format_RGB32);
    QtSurface measuring(ruler);
    engine->Ctrl = &measuring;
    const float height = engine->SizeText(markup, 0, 0, 0, -1);
    if (engine->ErrorCount() != 0 || !(height > 0)) {
        state.SkipWithError(("the card does not lay out cleanly: " +
                             std::string(engine->ErrorCount() ? engine->Errors(0) : "no height"))
                                .c_str());
        return;
    }
    QImage image(kWidth, static_cast<int>(std::ceil(height)), QImage::Format_RGB32);

    std::optional<QtSurface> kept;
    if (keepSurface) kept.emplace(image);
    for (auto _ : state) {
        std::optional<QtSurface> fresh;
        QtSurface& surface = keepSurface ? *kept : fresh.emplace(image);
        if (newEngine) SetUpEngine(engine.emplace());
        engine->Ctrl = &surface;
        benchmark::DoNotOptimize(engine->SizeText(markup, 0, 0, 0, -1));
        image.fill(Qt::white);
        benchmark::DoNotOptimize(engine->DrawText(markup, 0, 0, 0, -1));
        surface.End();
    }
    engine->Ctrl = nullptr;
    state.counters["height_px"] = height;
}

void BM_EngineFrame(benchmark::State& state) {
    EngineFrames(state, SharedCard().markup, false);
}

// The whole layout and painting, as the first painting of a card.
void BM_EngineFullFrame(benchmark::State& state) {
    EngineFrames(state, SharedCard().markup, false, true);
}

// For comparison only, with no target: what the width cache saves.
void BM_EngineFrameKeptSurface(benchmark::State& state) {
    EngineFrames(state, SharedCard().markup, true);
}

// For comparison only, with no target: the preview's repaint, scrolled to
// the middle of the card. Only the lines on its image are painted, the
// others passed over as the last repaint laid them out; its surface is
// kept, as the preview keeps it.
void BM_EngineWindowFrame(benchmark::State& state) {
    const std::string& markup = SharedCard().markup;
    cartulo::cZuzodIvodure engine;
    SetUpEngine(engine);
    engine.PaintOnlyVisible = true;
    QImage image(kWidth, kWindowHeight, QImage::Format_RGB32);
    QtSurface surface(image);
    engine.Ctrl = &surface;
    // The layout is checked: painting the card reports more links than a
    // painting keeps zones for.
    const float height = engine.SizeText(markup, 0, 0, 0, -1);
    if (engine.ErrorCount() != 0 || !(height > kWindowHeight)) {
        state.SkipWithError("the card does not lay out cleanly below the window");
        return;
    }
    const float top = -(height - kWindowHeight) / 2;
    for (auto _ : state) {
        image.fill(Qt::white);
        benchmark::DoNotOptimize(engine.DrawText(markup, top, 0, 0, -1));
        surface.End();
    }
    engine.Ctrl = nullptr;
    state.counters["height_px"] = height;
}

void BM_TableFormulasFrame(benchmark::State& state) {
    EngineFrames(state, SharedTableCard().markup, false);
}

void BM_TablePlainTextFrame(benchmark::State& state) {
    EngineFrames(state, SharedTableCard().plain, false);
}

// Lays out every paragraph at the image's width; returns the total height.
double LayOut(std::vector<std::unique_ptr<QTextLayout>>& layouts, const Card& card,
              const QFont& font, QPaintDevice* device) {
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    option.setAlignment(Qt::AlignJustify);  // the engine's default alignment
    layouts.clear();
    double y = 0;
    for (const QString& paragraph : card.paragraphs) {
        auto layout = std::make_unique<QTextLayout>(paragraph, font, device);
        layout->setTextOption(option);
        layout->setPosition(QPointF(0, y));
        layout->beginLayout();
        double top = 0;
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(kWidth);
            line.setPosition(QPointF(0, top));
            top += line.height();
        }
        layout->endLayout();
        y += top;
        layouts.push_back(std::move(layout));
    }
    return y;
}

void BM_QTextLayoutFrame(benchmark::State& state) {
    const Card& card = SharedCard();
    QImage ruler(kWidth, 1, QImage::Format_RGB32);
    const QFont font = CardFont(ruler);
    std::vector<std::unique_ptr<QTextLayout>> layouts;
    const double height = LayOut(layouts, card, font, &ruler);
    QImage image(kWidth, static_cast<int>(std::ceil(height)), QImage::Format_RGB32);

    for (auto _ : state) {
        benchmark::DoNotOptimize(LayOut(layouts, card, font, &image));
        image.fill(Qt::white);
        QPainter painter(&image);
        for (const auto& layout : layouts) layout->draw(&painter, QPointF(0, 0));
        painter.end();
    }
    state.counters["height_px"] = height;
}

BENCHMARK(BM_EngineFrame)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_EngineFullFrame)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_EngineFrameKeptSurface)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_EngineWindowFrame)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_QTextLayoutFrame)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_TableFormulasFrame)->Unit(benchmark::kMillisecond)->Apply(Compared);
BENCHMARK(BM_TablePlainTextFrame)->Unit(benchmark::kMillisecond)->Apply(Compared);

const Ratio kAgainstQt{"frame_20k_qt", "BM_EngineFullFrame", "BM_QTextLayoutFrame", 2};
const Budget kOneFrame{"frame_20k", "BM_EngineFrame", 16, 0.8};
const Budget kTableFrame{"frame_table_formulas", "BM_TableFormulasFrame", 16, 1};
const Ratio kTableAgainstText{"table_formulas_text", "BM_TableFormulasFrame",
                              "BM_TablePlainTextFrame", 6};

}  // namespace
