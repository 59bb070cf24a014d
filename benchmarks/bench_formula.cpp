// One formula measured and painted: Size then Draw of a formula with nested
// fractions, roots, a 4x4 matrix and limits on the Qt surface into an image,
// beside a baseline that paints the same characters with one
// QPainter::drawText call each (and the same lines), changing the font
// wherever the formula does.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "formula/vizur_uzedevi_vivadiz.h"
#include "platform/fake_surface.h"
#include "platform/qt_surface.h"
#include "platform/text_codec.h"
#include "ratio.h"

namespace {

using namespace cartulo::bench;
using cartulo::platform::QtSurface;

constexpr std::string_view kFormula =
    "@lim[@sym[83],k=1,n]@frc[@sqr[@frc[a+b,c@exp[2]]],@frc[1,@sqr[x+@frc[1,y]]]] + "
    "@par[1,@mat[4,4,a,b,c,d,@frc[1,2],f,g,h,i,@sqr[j],k,l,m,n,o,p@sub[0]],2] = "
    "@lim[lim,n@sym[174]@sym[165],]@frc[1,@sqr[n]]";
constexpr double kFontSize = 12;
constexpr int kWidth = 600, kHeight = 200;
constexpr float kLeft = 10, kBaseline = 100;

void SetFont(cartulo::Surface& surface) {
    surface.SetFontName("Times New Roman");
    surface.SetFontSize(kFontSize);
    surface.SetFontTransparent(true);
}

void BM_FormulaSizeDraw(benchmark::State& state) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    cartulo::cVizurUzedeviVivadiz formula;
    formula.Init(kFormula);
    for (auto _ : state) {
        image.fill(Qt::white);
        // A fresh surface per repaint, as a paint event makes one.
        QtSurface surface(image);
        SetFont(surface);
        formula.Surface = &surface;
        formula.Size();
        formula.Draw(kLeft, kBaseline);
        surface.End();
        benchmark::DoNotOptimize(formula.Width());
    }
    formula.Surface = nullptr;
}

// What the formula paints, as the recording surface logs it: each printed
// character with its font and place, and each line.
struct Mark {
    bool line = false;
    QFont font;
    QString character;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int width = 1;
};

double number(std::string_view text) {
    double v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    return v;
}

void point(std::string_view text, double& x, double& y) {
    const auto comma = text.find(',');
    x = number(text.substr(0, comma));
    y = number(text.substr(comma + 1));
}

// The fonts are those the Qt surface would pick for the same states.
std::vector<Mark> Marks(QImage& device) {
    cartulo::FakeSurface fake(kWidth, kHeight);
    SetFont(fake);
    cartulo::cVizurUzedeviVivadiz formula;
    formula.Surface = &fake;
    formula.Init(kFormula);
    formula.Size();
    formula.Draw(kLeft, kBaseline);
    std::vector<Mark> marks;
    for (const std::string& entry : fake.Ink()) {
        const std::string_view l(entry);
        if (l.starts_with("line ")) {
            Mark m;
            m.line = true;
            point(l.substr(5), m.x1, m.y1);
            point(l.substr(l.find(' ', 5) + 1), m.x2, m.y2);
            m.width = l.ends_with("w2") ? 2 : 1;
            marks.push_back(m);
            continue;
        }
        if (!l.starts_with("print ")) continue;
        double x, y;
        point(l.substr(6), x, y);
        const auto open = l.find('"'), close = l.rfind('"');
        const std::string_view text = l.substr(open + 1, close - open - 1);
        std::string_view font = l.substr(close + 2);
        const bool symbol = font.starts_with("Symbol ");
        font.remove_prefix(symbol ? 7 : 16);
        QtSurface resolver(device);
        resolver.SetFontName(symbol ? "Symbol" : "Times New Roman");
        resolver.SetFontCharset(symbol ? cartulo::kSymbolCharset : cartulo::kDefaultCharset);
        resolver.SetFontSize(number(font.substr(0, font.find(' '))));
        resolver.SetFontItalic(font.find(" C ") != std::string_view::npos);
        for (const char c : text) {
            Mark m;
            m.font = resolver.QtFont();
            m.character = cartulo::platform::toQString(std::string_view(&c, 1));
            m.x1 = x;
            m.y1 = y;
            x += resolver.TextWidth(std::string_view(&c, 1));
            marks.push_back(m);
        }
    }
    return marks;
}

void BM_DrawTextPerCharacter(benchmark::State& state) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const std::vector<Mark> marks = Marks(image);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(Qt::black);
        const QFont* current = nullptr;
        for (const Mark& m : marks) {
            if (m.line) {
                painter.setPen(QPen(Qt::black, m.width));
                painter.drawLine(QPointF(m.x1, m.y1), QPointF(m.x2, m.y2));
                continue;
            }
            if (current == nullptr || !(*current == m.font)) {
                painter.setFont(m.font);
                current = &m.font;
            }
            painter.drawText(QPointF(m.x1, m.y1 + 12), m.character);
        }
        painter.end();
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["characters"] = static_cast<double>(marks.size());
}

BENCHMARK(BM_FormulaSizeDraw)->Unit(benchmark::kMicrosecond)->Apply(Compared);
BENCHMARK(BM_DrawTextPerCharacter)->Unit(benchmark::kMicrosecond)->Apply(Compared);

const Ratio kFormulaRatio{"formula", "BM_FormulaSizeDraw", "BM_DrawTextPerCharacter", 3};

}  // namespace
