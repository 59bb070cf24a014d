#include "support/options.h"

namespace cartulo::support {

QString RestartMessage(const QString& programTitle) {
    return QStringLiteral(
               "Los cambios efectuados a la configuración entrarán en efecto tras "
               "reiniciar ") +
           programTitle + QStringLiteral(".");
}

namespace {

void reportUnsaved(const ProgramSettings& settings, UserDialogs& dialogs,
                   const QString& programTitle) {
    const auto& error = settings.Ini().LastError();
    dialogs.MsgBoxPlus(QStringLiteral("No se pudo guardar la configuración en «%1».")
                           .arg(QString::fromStdString(settings.FilePath())),
                       error ? QString::fromStdString(error->description) : QString(),
                       msg::kExclamation, programTitle);
}

}  // namespace

void AcceptOptions(ProgramSettings& settings, const OptionChoices& choices, UserDialogs& dialogs,
                   const QString& programTitle) {
    if (settings.SaveNoPrinting(choices.noPrinting)) {
        reportUnsaved(settings, dialogs, programTitle);
        return;
    }
    if (settings.SaveColorearMarcas(choices.colorMarkup)) {
        reportUnsaved(settings, dialogs, programTitle);
        return;
    }
    if ((choices.spellCheck || choices.dictionary) &&
        settings.SaveSpelling(choices.spellCheck.value_or(settings.SpellCheck()),
                              choices.dictionary.value_or(settings.Dictionary()))) {
        reportUnsaved(settings, dialogs, programTitle);
        return;
    }
    const bool before = settings.HighDPI();
    if (settings.SaveHighDPI(choices.highDpi)) {
        reportUnsaved(settings, dialogs, programTitle);
        return;
    }
    if (choices.highDpi != before) {
        dialogs.MsgBoxPlus(RestartMessage(programTitle), {}, msg::kInformation);
    }
}

}  // namespace cartulo::support
