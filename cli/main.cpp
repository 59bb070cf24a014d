#include <iostream>
#include <string>
#include <vector>

#include "cli/ctu.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    int code = ctu::runCtu(args, std::cin, std::cout, std::cerr);
    std::cout.flush();
    if (!std::cout && code == 0) {
        std::cerr << "ctu: No se puede escribir la salida.\n";
        code = 2;
    }
    return code;
}
