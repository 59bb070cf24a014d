// The baseline of the start-up benchmark: a minimal Qt program that shows
// the lines of a UTF-8 text file in a QListWidget and, once the filled list
// has first been painted, writes "indice pintado N" to stderr, as cartulo
// does with CARTULO_AVISO_INDICE.
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QListWidget>
#include <QMetaObject>
#include <cstdio>

namespace {

class FirstPaint : public QObject {
  public:
    explicit FirstPaint(int rows) : rows_(rows) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (told_ || event->type() != QEvent::Paint) return false;
        told_ = true;
        QMetaObject::invokeMethod(
            this, [this] { std::fprintf(stderr, "indice pintado %d\n", rows_); },
            Qt::QueuedConnection);
        return false;
    }

  private:
    int rows_;
    bool told_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) return 1;
    QFile file(QFile::decodeName(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) return 1;
    const QStringList entries = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    QListWidget list;
    list.setUniformItemSizes(true);
    list.addItems(entries);
    FirstPaint watch(list.count());
    list.viewport()->installEventFilter(&watch);
    list.show();
    return QApplication::exec();
}
