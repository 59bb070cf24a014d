#include "cli/offscreen_png.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <cstdlib>
#include <iostream>
#include <string_view>

#include "cli/card_file.h"
#include "cli/display_text.h"
#include "cli/exit_code.h"
#include "engine/file_io.h"

namespace ctu {

namespace {

void qtErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::cerr << "Qt: " << message.toStdString() << '\n';
    }
}

// QGuiApplication keeps references to these for its whole life.
int argc = 1;
char name[] = "ctu";
char* argv[] = {name, nullptr};

}  // namespace

OffscreenGui::OffscreenGui() : previousHandler_(qInstallMessageHandler(qtErrorsOnly)) {
    if (QCoreApplication::instance() != nullptr) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    app_ = std::make_unique<QGuiApplication>(argc, argv);
}

OffscreenGui::~OffscreenGui() {
    app_.reset();
    qInstallMessageHandler(previousHandler_);
}

void writePng(const QImage& image, const std::string& path) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        throw Failure(ExitCode::FileError,
                      "No se pudo codificar la imagen PNG para «" + displayText(path) + "».");
    }
    const auto error = cartulo::writeFileAtomically(
        path, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
    if (error) {
        throw Failure(ExitCode::FileError,
                      "No se puede escribir " + describeFileError(path, *error));
    }
}

}  // namespace ctu
