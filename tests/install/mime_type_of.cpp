// Prints the type QMimeDatabase gives each file named on the command line,
// one per line: what the desktop's programs see of the installed types.
#include <QCoreApplication>
#include <QMimeDatabase>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QMimeDatabase types;
    for (const QString& file : QCoreApplication::arguments().mid(1)) {
        out << types.mimeTypeForFile(file).name() << '\n';
    }
    return 0;
}
