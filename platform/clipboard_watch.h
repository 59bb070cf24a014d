// The system clipboard as the clipboard viewer follows it: a callback on
// each change of its content, and the picture it may hold.
#pragma once

#include <QImage>
#include <QMetaObject>
#include <functional>

namespace cartulo::platform {

// Calls `changed` each time the system clipboard's content changes (Qt's
// change signal, so nothing polls), until it is destroyed.
class ClipboardWatch {
  public:
    explicit ClipboardWatch(std::function<void()> changed);
    ~ClipboardWatch();
    ClipboardWatch(const ClipboardWatch&) = delete;
    ClipboardWatch& operator=(const ClipboardWatch&) = delete;

  private:
    QMetaObject::Connection connection_;
};

// The picture on the clipboard; a null image when it holds none.
QImage ClipboardPicture();

}  // namespace cartulo::platform
