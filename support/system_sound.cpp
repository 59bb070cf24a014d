#include "support/system_sound.h"

#include <QApplication>

namespace cartulo::support {

void PlaySystemSound(std::string_view /*name*/) {
    QApplication::beep();
}

}  // namespace cartulo::support
