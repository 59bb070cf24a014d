// The formula object: measures a formula written in the compact notation and
// paints it on the host's surface, at a pen position in a line of text.
//
//   cVizurUzedeviVivadiz f;
//   f.Surface = &surface;             // its current font is the base font
//   f.Init("@frc[a,b]");
//   f.Size();                         // throws FormulaError
//   ... f.Width(), f.Ascent(), f.Descent() ...
//   f.Draw(x, baseline);              // same font selected as for Size
//
// Errors are FormulaError (number -1, a Spanish description). A failed Size
// keeps the results of the last good one. On an error the surface's font is
// left as the failing construct had set it; the host selects its own again.
#pragma once

#include <string>
#include <string_view>

#include "platform/surface.h"

namespace cartulo {

class cVizurUzedeviVivadiz {
  public:
    cartulo::Surface* Surface = nullptr;  // not owned
    float IndexScale = 0.6f;              // font-size factor of @exp, @sub, @ind
    float LimitScale = 0.6f;              // font-size factor of the limits of @lim

    void Init(std::string_view text) { text_ = std::string(text); }
    const std::string& Text() const { return text_; }

    // Measures with the surface's current font; sets Width, Ascent, Descent.
    void Size();
    // x: left edge; y: the text baseline.
    void Draw(float x, float y);

    float Width() const { return width_; }
    float Ascent() const { return ascent_; }    // above the baseline
    float Descent() const { return descent_; }  // below the baseline

    static std::string_view Version() { return "2.0.100218"; }

  private:
    cartulo::Surface& surface() const;
    double axisAboveBaseline() const;

    std::string text_;
    float width_ = 0, ascent_ = 0, descent_ = 0;
};

}  // namespace cartulo
