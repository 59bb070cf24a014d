// The preview's close button: the close-box glyph drawn by the button
// itself. A left press draws it pressed and holds it; while held it looks
// pressed only with the pointer over it; releasing it looked pressed
// clicks it. A right press belongs to the window behind it.
#pragma once

#include <QWidget>
#include <functional>

namespace cartulo::windows {

class PreviewCloseButton : public QWidget {
  public:
    explicit PreviewCloseButton(QWidget* parent = nullptr);

    bool Pulsado() const { return pressed_; }  // drawn pressed
    bool Sostenido() const { return held_; }   // the left button went down on it

    // A release while drawn pressed.
    std::function<void()> AlPulsar;
    // Presses of other buttons, and moves with no button held, with the
    // position in the parent's coordinates.
    std::function<void(QMouseEvent& event, QPoint inParent)> AlRatonPulsado;
    std::function<void(QMouseEvent& event, QPoint inParent)> AlRatonMovido;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void setPressed(bool pressed);

    bool pressed_ = false;
    bool held_ = false;
};

}  // namespace cartulo::windows
