#include "shell/file_messages.h"

#include <algorithm>

namespace cartulo::shell {

namespace {

QString errorDetail(const FileError& error, const QString& verb) {
    // The two sentences of the advice are joined with nothing between them.
    return QString::fromStdString(error.description) + QStringLiteral(" (código ") +
           QString::number(error.code) +
           QStringLiteral("). Compruebe que el disco está en la unidad ") +
           QStringLiteral("y que tiene permisos suficientes para ") + verb +
           QStringLiteral(" el archivo.");
}

}  // namespace

support::MessageRequest MensajeErrorAbrir(const QString& name, const FileError& error) {
    return {.text = QStringLiteral("Ocurrió un error al abrir ") + name + QStringLiteral("."),
            .detail = errorDetail(error, QStringLiteral("leer")),
            .flags = support::msg::kOkOnly + support::msg::kInformation,
            .title = QStringLiteral("Abrir cartulo"),
            .extra = {}};
}

support::MessageRequest MensajeErrorGuardar(const QString& name, const FileError& error) {
    return {.text = QStringLiteral("Ocurrió un error al guardar ") + name + QStringLiteral("."),
            .detail = errorDetail(error, QStringLiteral("escribir")),
            .flags = support::msg::kOkOnly + support::msg::kInformation,
            .title = QStringLiteral("Guardar cartulo"),
            .extra = {}};
}

support::MessageRequest MensajeNombreEnUso(const QString& name) {
    return {.text = QStringLiteral("Ya está abierto otro cartulo con el nombre ") + name +
                    QStringLiteral("."),
            .detail = QStringLiteral("Ciérrelo antes o elija otro nombre."),
            .flags = support::msg::kOkOnly + support::msg::kInformation,
            .title = QStringLiteral("Guardar cartulo"),
            .extra = {}};
}

support::MessageRequest PreguntaGuardar(const QString& caption, const QString& fileTitle) {
    return {.text = QStringLiteral("El cartulo ") + fileTitle + QStringLiteral(" ha cambiado. ") +
                    QStringLiteral("¿Desea guardar los cambios?"),
            .detail = QStringLiteral("Si no lo hace, perderá las modificaciones realizadas ") +
                      QStringLiteral("desde que se abrió o guardó el cartulo por última vez."),
            .flags = support::msg::kYesNoCancel + support::msg::kQuestion,
            .title = caption,
            .extra = {}};
}

support::InputRequest PreguntaTituloNuevo() {
    return {.prompt = QStringLiteral("Introduzca el título del nuevo cartulo."),
            .title = QStringLiteral("Nuevo cartulo"),
            .defaultText = QStringLiteral("Nuevo cartulo"),
            .detail = {},
            .extra = {}};
}

support::MessageRequest MensajeTituloNoGuardable(const std::vector<char32_t>& characters) {
    std::vector<char32_t> distinct;
    for (char32_t c : characters) {
        if (std::find(distinct.begin(), distinct.end(), c) == distinct.end()) distinct.push_back(c);
    }
    QString list;
    for (char32_t c : distinct) {
        if (!list.isEmpty()) list += QStringLiteral(", ");
        list += QStringLiteral("«") + QString::fromUcs4(&c, 1) + QStringLiteral("»");
    }
    return {.text = QStringLiteral("El título contiene ") + list +
                    (distinct.size() > 1 ? QStringLiteral(", caracteres que")
                                         : QStringLiteral(", un carácter que")) +
                    QStringLiteral(" un cartulo no puede guardar."),
            .detail = {},
            .flags = support::msg::kOkOnly + support::msg::kExclamation,
            .title = QStringLiteral("Nuevo cartulo"),
            .extra = {}};
}

}  // namespace cartulo::shell
