// What the commands that paint need of Qt: a GUI application that works
// without a display, and writing the picture safely as a PNG.
#pragma once

#include <QGuiApplication>
#include <QImage>
#include <QtGlobal>
#include <memory>
#include <string>

namespace ctu {

// Qt needs a GUI application for fonts and images, yet ctu must run where
// there is no display: the offscreen platform, unless the user chose one.
// Qt's own notes (no XDG_RUNTIME_DIR, say) are kept off stderr, which
// scripts read; only its errors pass.
class OffscreenGui {
  public:
    OffscreenGui();
    ~OffscreenGui();
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

  private:
    QtMessageHandler previousHandler_;
    std::unique_ptr<QGuiApplication> app_;
};

// Encoded in memory and written by the engine's atomic writer, like every
// file the program writes: an interrupted run leaves no half picture.
// Throws Failure (exit 2) when it cannot.
void writePng(const QImage& image, const std::string& path);

}  // namespace ctu
