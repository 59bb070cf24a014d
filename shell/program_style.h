// The program's style: the desktop's own, with the pictures every start
// shows or builds (the extension arrows of the menu and tool bars, a card
// window's menu and its items) drawn by the program. The desktop's are
// picture files, and the first picture file read loads every picture
// plugin, which the start need not wait for.
#pragma once

#include <QProxyStyle>

namespace cartulo::shell {

class EstiloPrograma : public QProxyStyle {
  public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

}  // namespace cartulo::shell
