#include "platform/message_icons.h"

#include <QIcon>
#include <QStyle>
#include <QWidget>

namespace cartulo::platform {

namespace {

QStyle::StandardPixmap standardPixmap(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return QStyle::SP_MessageBoxCritical;
        case MessageIcon::Question:
            return QStyle::SP_MessageBoxQuestion;
        case MessageIcon::Warning:
            return QStyle::SP_MessageBoxWarning;
        case MessageIcon::Information:
            break;
    }
    return QStyle::SP_MessageBoxInformation;
}

}  // namespace

QPixmap MessageIconPixmap(MessageIcon icon, int size, const QWidget& shownIn) {
    const QIcon drawn = shownIn.style()->standardIcon(standardPixmap(icon), nullptr, &shownIn);
    return drawn.pixmap(QSize(size, size), shownIn.devicePixelRatioF());
}

}  // namespace cartulo::platform
