#include "support/user_dialogs.h"
#include "windows/main_services.h"

namespace cartulo::windows {

void ComandoNoReconocido(MainServices& services, const QString& windowName, const QString& caption,
                         const QString& word) {
    if (!services.Depuracion()) return;
    services.Dialogos().MsgBoxPlus(QStringLiteral("Comando no reconocido: ") + windowName +
                                       QStringLiteral(".") + word + QStringLiteral(" ."),
                                   {}, support::msg::kCritical, caption);
}

}  // namespace cartulo::windows
