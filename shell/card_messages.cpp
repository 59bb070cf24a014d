#include "shell/card_messages.h"

namespace cartulo::shell {

namespace {
QString what(NuevaClase kind) {
    switch (kind) {
        case NuevaClase::Ficha:
            return QStringLiteral("la ficha");
        case NuevaClase::Hermana:
            return QStringLiteral("la hermana");
        case NuevaClase::Maestra:
            return QStringLiteral("la ficha maestra");
    }
    return {};
}

QString titleOf(NuevaClase kind) {
    switch (kind) {
        case NuevaClase::Ficha:
            return QStringLiteral("Nueva ficha");
        case NuevaClase::Hermana:
            return QStringLiteral("Nueva hermana");
        case NuevaClase::Maestra:
            return QStringLiteral("Ficha maestra");
    }
    return {};
}
}  // namespace

support::MessageRequest MensajeFichaNoCreada(NuevaClase kind, CardId code) {
    support::MessageRequest request;
    request.title = titleOf(kind);
    request.flags = support::msg::kExclamation;
    const QString start = QStringLiteral("No se puede crear ") + what(kind) + QStringLiteral(": ");
    if (code == kNoRoom) {
        request.text = start + QStringLiteral("el cartulo ya tiene el máximo de ") +
                       QString::number(kCapacity) + QStringLiteral(" fichas.");
    } else if (code == kUnstorableEntry) {
        request.text = start + QStringLiteral("la entrada es demasiado larga.");
        request.detail = QStringLiteral("Una entrada puede tener como máximo ") +
                         QString::number(kMaxEntryLength) + QStringLiteral(" caracteres.");
    } else if (code == kNoSourceCard) {
        request.text = start + QStringLiteral("la ficha de origen ya no existe.");
    } else {
        request.text = start + QStringLiteral("ya existe otra ficha con esa entrada.");
    }
    return request;
}

support::MessageRequest PreguntaBorrarFicha(const QString& entry) {
    support::MessageRequest request;
    request.title = QStringLiteral("Borrar ficha");
    request.text = QStringLiteral("¿Desea borrar la ficha ") + entry + QStringLiteral("?");
    request.detail = QStringLiteral("Esta acción no puede deshacerse.");
    request.flags = support::msg::kYesNo | support::msg::kDefaultButton2 | support::msg::kQuestion;
    return request;
}

support::MessageRequest MensajeFichaPrincipalNoSeBorra() {
    support::MessageRequest request;
    request.title = QStringLiteral("Borrar ficha");
    request.text = QStringLiteral("La ficha principal no puede borrarse.");
    request.detail = QStringLiteral("Su primera línea es el título del cartulo.");
    request.flags = support::msg::kInformation;
    return request;
}

}  // namespace cartulo::shell
