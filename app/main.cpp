// cartulo: the desktop card-file manager.
#include <iostream>

#include "app/usage.h"
#include "shell/startup.h"

int main(int argc, char** argv) {
    // Answered before Qt starts, so they need no display.
    if (auto answer = cartulo::InformativeAnswer(argc, argv, CARTULO_VERSION)) {
        std::cout << *answer;
        return std::cout.flush() ? 0 : 1;
    }
    return cartulo::shell::EjecutarCartulo(argc, argv, QStringLiteral(CARTULO_VERSION));
}
