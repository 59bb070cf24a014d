#include "ratio.h"

int main(int argc, char** argv) {
    return cartulo::bench::RunWithRatios(argc, argv);
}
