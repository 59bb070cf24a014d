#include "support/qt_user_dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "support/input_box_plus.h"
#include "support/msg_box_plus.h"

namespace cartulo::support {

QWidget* QtUserDialogs::owner() const {
    return owner_ ? owner_.data() : QApplication::activeWindow();
}

MsgResult QtUserDialogs::ShowMessage(const MessageRequest& request) {
    return mMsgBoxPlus::MsgBoxPlus(request, owner(), scale_);
}

std::optional<QString> QtUserDialogs::AskText(const InputRequest& request) {
    return mInputBoxPlus::InputBoxPlus(request, owner(), scale_);
}

RecoveryAnswer QtUserDialogs::AskRecovery(const RecoveryRequest& request) {
#ifdef CARTULO_RESPUESTAS_DE_PRUEBA
    const QString scripted = qEnvironmentVariable("CARTULO_PRUEBA_RECUPERACION");
    if (scripted == u"recuperar") return RecoveryAnswer::Recover;
    if (scripted == u"descartar") return RecoveryAnswer::Discard;
    if (scripted == u"despues") return RecoveryAnswer::Later;
#endif

    QMessageBox box(QMessageBox::Question, request.title, request.text, QMessageBox::NoButton,
                    owner());
    box.setInformativeText(request.detail);
    QPushButton* recover = box.addButton(QStringLiteral("&Recuperar"), QMessageBox::AcceptRole);
    QPushButton* discard =
        box.addButton(QStringLiteral("&Descartar"), QMessageBox::DestructiveRole);
    QPushButton* later = box.addButton(QStringLiteral("&Más tarde"), QMessageBox::RejectRole);
    box.setDefaultButton(recover);
    box.setEscapeButton(later);
    box.exec();
    if (box.clickedButton() == recover) return RecoveryAnswer::Recover;
    if (box.clickedButton() == discard) return RecoveryAnswer::Discard;
    return RecoveryAnswer::Later;
}

}  // namespace cartulo::support
