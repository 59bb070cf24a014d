// The four message-box icons, drawn by the desktop's style at the size they
// are shown.
#pragma once

#include <QPixmap>

class QWidget;

namespace cartulo::platform {

enum class MessageIcon { Critical, Question, Warning, Information };

// The icon `size` by `size` logical pixels, in the widget's style and for
// the pixel density of its screen: never a smaller picture stretched.
QPixmap MessageIconPixmap(MessageIcon icon, int size, const QWidget& shownIn);

}  // namespace cartulo::platform
