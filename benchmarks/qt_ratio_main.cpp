// main() of the benchmarks that paint with Qt: fonts and images need a GUI
// application, and benchmarks run without a display.
#include <QGuiApplication>
#include <cstdlib>

#include "ratio.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    return cartulo::bench::RunWithRatios(argc, argv);
}
