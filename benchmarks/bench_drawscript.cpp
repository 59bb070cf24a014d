// A drawing script of 1,000 commands run on the Qt surface into an image,
// beside a baseline that makes the same QPainter calls (points, lines and
// polygons, with the same pens and brushes) directly.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygonF>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "drawscript/draw_script.h"
#include "platform/qt_surface.h"
#include "ratio.h"

namespace {

using namespace cartulo::bench;

constexpr int kSide = 400;                   // pixels
constexpr int kShapes = 125;                 // of 8 commands each: 1,000 commands
constexpr double kPixelsPerPoint = 4.0 / 3;  // a 96-dpi image
const char* const kColors[] = {"rojo", "azul", "verde", "amarillo", "naranja"};
const QColor kQColors[] = {QColor(255, 0, 0), QColor(0, 0, 255), QColor(0, 255, 0),
                           QColor(255, 255, 0), QColor(255, 128, 0)};

// Squares of 15 points on a grid, each stroked and then filled.
double ShapeX(int i) {
    return 5 + (i % 14) * 20;
}
double ShapeY(int i) {
    return 5 + (i / 14) * 20;
}

std::string Script() {
    std::string script;
    for (int i = 0; i < kShapes; ++i) {
        script += std::to_string(ShapeX(i)) + " " + std::to_string(ShapeY(i)) +
                  " move 15 0 linerel 0 15 linerel -15 0 linerel close stroke '" + kColors[i % 5] +
                  "' fillcolor fill ";
    }
    return script;
}

void BM_DrawScript(benchmark::State& state) {
    const std::string script = Script();
    QImage image(kSide, kSide, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        cartulo::platform::QtSurface surface(image);
        cartulo::cDrawScript drawing;
        drawing.Surface = &surface;
        drawing.Script = script;
        drawing.Draw(0, 0, kSide, kSide);
        surface.End();
    }
    state.counters["commands"] = kShapes * 8;
}

QPen ThinPen(const QColor& color) {
    return QPen(color, 1, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin);
}

void BM_QPainterDirect(benchmark::State& state) {
    QImage image(kSide, kSide, QImage::Format_RGB32);
    const QColor black(0, 0, 0);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        for (int i = 0; i < kShapes; ++i) {
            const double x = ShapeX(i) * kPixelsPerPoint, y = ShapeY(i) * kPixelsPerPoint;
            const double side = 15 * kPixelsPerPoint;
            const QPointF corners[] = {
                {x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}, {x, y}};
            QPen dot = ThinPen(black);
            dot.setCapStyle(Qt::RoundCap);
            painter.setPen(dot);
            painter.drawPoint(corners[0]);
            for (int k = 0; k < 4; ++k) {
                painter.setPen(ThinPen(black));
                painter.drawLine(corners[k], corners[k + 1]);
            }
            QPolygonF polygon;
            for (const QPointF& c : corners)
                polygon << QPointF(std::nearbyint(c.x()), std::nearbyint(c.y()));
            const QColor& fill = kQColors[i % 5];
            painter.setPen(ThinPen(fill));
            painter.setBrush(fill);
            painter.drawPolygon(polygon, Qt::OddEvenFill);
            painter.setBrush(Qt::NoBrush);
        }
        painter.end();
    }
}

BENCHMARK(BM_DrawScript)->Unit(benchmark::kMicrosecond)->Apply(Compared);
BENCHMARK(BM_QPainterDirect)->Unit(benchmark::kMicrosecond)->Apply(Compared);

const Ratio kDrawScript{"drawscript", "BM_DrawScript", "BM_QPainterDirect", 3};

}  // namespace
