// Where card windows go: each one 480 twips further right and down than the
// last, starting again at the corner when the next would not fit in the
// area of the child windows, or when the last card window has closed.
#pragma once

#include <QPoint>
#include <QSize>

namespace cartulo::shell {

class Cascada {
  public:
    static constexpr int kStepTwips = 480;
    static constexpr double kTwipsPerPixel = 15.0;

    explicit Cascada(double scale = 1.0) : scale_(scale) {}

    // The place, in pixels of the area, for a window of `window` size; moves
    // the cascade on.
    QPoint Siguiente(const QSize& window, const QSize& area);
    void Reiniciar() { offsetTwips_ = 0; }
    int OffsetTwips() const { return offsetTwips_; }

  private:
    int pixels(int twips) const;

    double scale_;
    int offsetTwips_ = 0;
};

}  // namespace cartulo::shell
