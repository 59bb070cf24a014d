// The preview's size grip, drawn by the grip itself in the bottom-right
// corner: dragging it with the left button resizes the window it sits on
// by the pointer's offset, down to a minimum size.
#pragma once

#include <QPoint>
#include <QSize>
#include <QWidget>

namespace cartulo::windows {

class PreviewSizeGrip : public QWidget {
  public:
    // Resizes `target` (its parent, when null).
    explicit PreviewSizeGrip(QWidget* parent, QWidget* target = nullptr);

    void SetMinimo(QSize minimum) { minimum_ = minimum; }
    QSize Minimo() const { return minimum_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QWidget* target_;
    QSize minimum_;
    bool dragging_ = false;
    QPoint from_;      // the pointer, in global coordinates, at the press
    QSize startSize_;  // the target's size then
};

}  // namespace cartulo::windows
