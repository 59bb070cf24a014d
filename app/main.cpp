// cartulo: the desktop card-file manager.
#include <QGuiApplication>
#include <iostream>

#include "app/usage.h"
#include "shell/startup.h"

int main(int argc, char** argv) {
    // Answered before Qt starts, so they need no display.
    if (auto answer = cartulo::InformativeAnswer(argc, argv, CARTULO_VERSION)) {
        std::cout << *answer;
        return std::cout.flush() ? 0 : 1;
    }
    // The desktop finds the program's entry and icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(CARTULO_APP_ID));
    return cartulo::shell::EjecutarCartulo(argc, argv, QStringLiteral(CARTULO_VERSION));
}
