// A flat button of the command bar: a caption (and, for a menu panel, a
// small arrow), lit while the pointer is over it, while it is pressed, and
// while its menu is open.
#pragma once

#include <QAbstractButton>
#include <QIcon>

namespace cartulo::shell {

class BotonBarra : public QAbstractButton {
  public:
    BotonBarra(const QString& caption, bool opensMenu, QWidget* parent = nullptr);

    void SetMenuOpen(bool open);
    bool Hover() const { return hover_; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    bool opensMenu_;
    bool hover_ = false;
    bool menuOpen_ = false;
};

}  // namespace cartulo::shell
