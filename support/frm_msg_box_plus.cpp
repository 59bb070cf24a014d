#include "support/frm_msg_box_plus.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "platform/message_icons.h"
#include "support/dialog_text.h"
#include "support/display_scale.h"

namespace cartulo::support {

namespace {

platform::MessageIcon platformIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Critical:
            return platform::MessageIcon::Critical;
        case MsgIcon::Question:
            return platform::MessageIcon::Question;
        case MsgIcon::Exclamation:
            return platform::MessageIcon::Warning;
        default:
            return platform::MessageIcon::Information;
    }
}

}  // namespace

frmMsgBoxPlus::frmMsgBoxPlus(const MessageRequest& request, QWidget* owner, double scale)
    : QDialog(owner), request_(request), layout_(decodeMessageFlags(request.flags)) {
    setModal(true);
    setWindowTitle(request.title.isEmpty() ? QApplication::applicationDisplayName()
                                           : request.title);
    const Qt::Alignment alignment = layout_.rightAligned ? Qt::AlignRight : Qt::AlignLeft;

    auto* texts = new QVBoxLayout;
    lblTexto_ = makeTextLabel(request.text, font(), kMaxTextWidth, alignment, this);
    lblTexto_->setObjectName(QStringLiteral("lblTexto"));
    texts->addWidget(lblTexto_);
    if (!request.detail.isEmpty()) {
        lblDetalle_ =
            makeTextLabel(request.detail, detailFont(font()), kMaxTextWidth, alignment, this);
        lblDetalle_->setObjectName(QStringLiteral("lblDetalle"));
        texts->addWidget(lblDetalle_);
    }
    texts->addStretch();

    auto* top = new QHBoxLayout;
    if (layout_.icon != MsgIcon::None) {
        picIcono_ = new QLabel(this);
        picIcono_->setObjectName(QStringLiteral("picIcono"));
        picIcono_->setFixedSize(kIconSize, kIconSize);  // scaled with the window below
        picIcono_->setAlignment(Qt::AlignCenter);
        top->addWidget(picIcono_, 0, Qt::AlignTop);
        top->addSpacing(8);
    }
    top->addLayout(texts, 1);

    auto* panel = new QHBoxLayout;
    panel->addStretch();
    for (MsgResult code : layout_.buttons) {
        auto* button = new QPushButton(MsgBoxCaption(code), this);
        button->setObjectName(QStringLiteral("cmdBoton%1").arg(buttons_.size()));
        button->setAutoDefault(true);
        connect(button, &QPushButton::clicked, this,
                [this, code] { done(static_cast<int>(code)); });
        panel->addWidget(button);
        buttons_.push_back(button);
    }
    panel->addStretch();

    auto* root = new QVBoxLayout(this);
    root->setSizeConstraint(QLayout::SetFixedSize);  // sized to the texts
    root->addLayout(top);
    root->addSpacing(8);
    root->addLayout(panel);

    QPushButton* first = buttons_[layout_.defaultButton];
    first->setDefault(true);
    first->setFocus();
    EscalarVentana(*this, scale);
    drawIcon();
}

void frmMsgBoxPlus::drawIcon() {
    // Drawn at the size the label has once scaled, for the density of the
    // screen it is on: never a smaller picture stretched.
    if (picIcono_ == nullptr) return;
    picIcono_->setPixmap(platform::MessageIconPixmap(platformIcon(layout_.icon),
                                                     picIcono_->minimumWidth(), *picIcono_));
}

void frmMsgBoxPlus::showEvent(QShowEvent* event) {
    drawIcon();  // the screen, and so its pixel density, is known now
    QDialog::showEvent(event);
}

QPushButton* frmMsgBoxPlus::Button(MsgResult code) const {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        if (layout_.buttons[i] == code) return buttons_[i];
    }
    return nullptr;
}

MsgResult frmMsgBoxPlus::Run() {
    const int code = exec();
    // A box hidden by other means than its buttons answers as cancelled.
    for (MsgResult b : layout_.buttons) {
        if (static_cast<int>(b) == code) return b;
    }
    return layout_.cancelButton;
}

void frmMsgBoxPlus::reject() {
    done(static_cast<int>(layout_.cancelButton));
}

void frmMsgBoxPlus::keyPressEvent(QKeyEvent* event) {
    const bool plain =
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plain && event->text().size() == 1) {
        if (const auto code = buttonForCharacter(layout_, event->text().front())) {
            Button(*code)->click();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

}  // namespace cartulo::support
