// The time a keystroke waits for recovery copies. Keys go to a card of the
// 5000-card file at a human pace, with the copies' pause shortened so that
// a copy is taken between every two keys; each key's time runs from the
// moment it was due (a copy being taken holds the keys back) until it has
// been handled. The 99th percentile with copies is compared with the same
// typing without them.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "big_file.h"
#include "engine/cartulos.h"
#include "idle_main_services.h"
#include "ratio.h"
#include "shell/recovery_copies.h"
#include "temp_folder.h"
#include "windows/card_text_edit.h"
#include "windows/frm_ficha.h"

namespace {

using namespace cartulo;

constexpr int kKeysPerRound = 100;
constexpr int kRounds = 3;
constexpr int kPaceMs = 120;  // a quick typist: 100 words a minute
constexpr shell::RecoveryTiming kShortPause{20, 200};
constexpr int kTickMs = 5;

void Press(QWidget& target, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&target, &press);
    QApplication::sendEvent(&target, &release);
}

// Milliseconds each key waited, typing into `window` while `copies` (when
// given) keeps its copies.
std::vector<double> Type(windows::frmFicha& window, shell::RecoveryCopies* copies) {
    QTimer tick;
    if (copies != nullptr) {
        QObject::connect(&tick, &QTimer::timeout, [copies] { copies->Tick(); });
        tick.start(kTickMs);
    }
    auto& editor = *window.txtTxt();
    std::vector<double> waits;
    QElapsedTimer clock;
    clock.start();
    for (int key = 0; key < kKeysPerRound; ++key) {
        const qint64 due = (key + 1) * qint64{kPaceMs};
        if (const qint64 left = due - clock.elapsed(); left > 0) {
            QEventLoop pause;
            QTimer::singleShot(static_cast<int>(left), Qt::PreciseTimer, &pause, &QEventLoop::quit);
            pause.exec();
        }
        if (key % 2 == 0) {
            Press(editor, Qt::Key_X, QStringLiteral("x"));
        } else {
            Press(editor, Qt::Key_Backspace, QStringLiteral("\b"));
        }
        QApplication::processEvents();
        waits.push_back(static_cast<double>(clock.nsecsElapsed() - due * 1'000'000) / 1e6);
    }
    if (copies != nullptr) copies->Esperar();
    return waits;
}

double Percentile99(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(0.99 * static_cast<double>(values.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);

    bench::TempFolder folder;
    const std::string path = folder.File("grande.ctu");
    bench::WriteBigFile(path);
    auto file = std::make_shared<cCartulo>();
    if (!file->OpenFile(path)) {
        std::fprintf(stderr, "the 5000-card file could not be opened\n");
        return 1;
    }
    cCartulos registry;
    registry.AddFile(file);
    bench::IdleMainServices services;
    windows::frmFicha window(services);
    window.Mostrar(file, file->NextCard(file->FirstCard()));
    window.show();
    QApplication::processEvents();
    window.txtTxt()->Seleccionar(0, 0);

    std::vector<double> without;
    std::vector<double> with;
    for (int round = 0; round < kRounds; ++round) {
        const auto off = Type(window, nullptr);
        without.insert(without.end(), off.begin(), off.end());
        shell::RecoveryCopies copies(
            registry, folder.File("recuperacion"), [](const QString&) {}, platform::GetTickCount,
            kShortPause);
        const auto on = Type(window, &copies);
        with.insert(with.end(), on.begin(), on.end());
        copies.DescartarTodas();
    }
    if (services.notices != 0) {
        std::fprintf(stderr, "a keystroke was refused\n");
        return 1;
    }
    const double p99Off = Percentile99(without);
    const double p99On = Percentile99(with);
    std::printf("keystroke p99 without recovery copies: %.2f ms\n", p99Off);
    std::printf("keystroke p99 with recovery copies:    %.2f ms\n", p99On);
    std::printf("%s\n", bench::RatioLine("keystroke_recovery", p99On / p99Off, 1.2).c_str());
    return 0;
}
