// cartulo: the desktop card-file manager.
#include "shell/startup.h"

int main(int argc, char** argv) {
    return cartulo::shell::EjecutarCartulo(argc, argv, QStringLiteral(CARTULO_VERSION));
}
