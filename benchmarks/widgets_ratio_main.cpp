// main() of the benchmarks that need widgets: an application object on the
// offscreen platform, then the benchmarks and their ratio lines.
#include <QApplication>
#include <cstdlib>

#include "ratio.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    return cartulo::bench::RunWithRatios(argc, argv);
}
