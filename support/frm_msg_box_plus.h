// frmMsgBoxPlus: the program's own modal message box. Buttons carry their
// result codes; Enter answers the focused button (the default one at first),
// a typed letter the first button with that initial, and Escape or the close
// button the cancelling button.
#pragma once

#include <QDialog>
#include <vector>

#include "support/message_flags.h"
#include "support/user_dialogs.h"

class QLabel;
class QPushButton;

namespace cartulo::support {

class frmMsgBoxPlus : public QDialog {
  public:
    // Texts wider than this are wrapped.
    static constexpr int kMaxTextWidth = 440;
    static constexpr int kIconSize = 32;  // before the display scale

    frmMsgBoxPlus(const MessageRequest& request, QWidget* owner = nullptr, double scale = 1.0);

    // Shows the box modally and returns the chosen button.
    MsgResult Run();

    const MessageRequest& Request() const { return request_; }
    const MessageLayout& Layout() const { return layout_; }
    const std::vector<QPushButton*>& Buttons() const { return buttons_; }
    QPushButton* Button(MsgResult code) const;
    QLabel* IconLabel() const { return picIcono_; }
    QLabel* TextLabel() const { return lblTexto_; }
    QLabel* DetailLabel() const { return lblDetalle_; }

    void reject() override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void drawIcon();

    MessageRequest request_;
    MessageLayout layout_;
    std::vector<QPushButton*> buttons_;
    QLabel* picIcono_ = nullptr;
    QLabel* lblTexto_ = nullptr;
    QLabel* lblDetalle_ = nullptr;
};

}  // namespace cartulo::support
