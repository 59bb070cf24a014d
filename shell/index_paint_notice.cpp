#include "shell/index_paint_notice.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QEvent>
#include <QListView>
#include <QMetaObject>
#include <cstdio>
#include <cstdlib>

namespace cartulo::shell {

namespace {

bool told = false;

class PaintWatch : public QObject {
  public:
    explicit PaintWatch(QListView& list) : QObject(list.viewport()), list_(list) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (told || event->type() != QEvent::Paint || list_.model() == nullptr) return false;
        const int rows = list_.model()->rowCount();
        if (rows == 0) return false;
        told = true;
        // Queued, so the line follows the paint this event starts.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [rows] {
                std::fprintf(stderr, "indice pintado %d\n", rows);
                std::fflush(stderr);
            },
            Qt::QueuedConnection);
        return false;
    }

  private:
    QListView& list_;
};

}  // namespace

void AvisarAlPintarIndice(QListView& list) {
    if (told || std::getenv("CARTULO_AVISO_INDICE") == nullptr) return;
    list.viewport()->installEventFilter(new PaintWatch(list));
}

}  // namespace cartulo::shell
