#include "support/options.h"

namespace cartulo::support {

QString RestartMessage(const QString& programTitle) {
    return QStringLiteral(
               "Los cambios efectuados a la configuración entrarán en efecto tras "
               "reiniciar ") +
           programTitle + QStringLiteral(".");
}

void AcceptOptions(ProgramSettings& settings, bool highDpi, UserDialogs& dialogs,
                   const QString& programTitle) {
    const bool before = settings.HighDPI();
    if (settings.SaveHighDPI(highDpi)) {
        const auto& error = settings.Ini().LastError();
        dialogs.MsgBoxPlus(QStringLiteral("No se pudo guardar la configuración en «%1».")
                               .arg(QString::fromStdString(settings.FilePath())),
                           error ? QString::fromStdString(error->description) : QString(),
                           msg::kExclamation, programTitle);
        return;
    }
    if (highDpi != before) dialogs.MsgBoxPlus(RestartMessage(programTitle), {}, msg::kInformation);
}

}  // namespace cartulo::support
