#include "support/display_scale.h"

#include <QComboBox>
#include <QFont>
#include <QFrame>
#include <QGroupBox>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace cartulo::support {

namespace {

constexpr const char* kScaledProperty = "cartuloEscalado";

int scaled(int value, double scale) {
    return static_cast<int>(std::lround(value * scale));
}

QFont scaledFont(QFont font, double scale) {
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * scale);
    } else if (font.pixelSize() > 0) {
        font.setPixelSize(scaled(font.pixelSize(), scale));
    }
    return font;
}

// Fixed sizes a window or control was given; "no limit" stays no limit.
void scaleLimits(QWidget& widget, double scale) {
    const QSize min = widget.minimumSize();
    if (!min.isNull())
        widget.setMinimumSize(scaled(min.width(), scale), scaled(min.height(), scale));
    const QSize max = widget.maximumSize();
    const int maxWidth = max.width() < QWIDGETSIZE_MAX ? scaled(max.width(), scale) : max.width();
    const int maxHeight =
        max.height() < QWIDGETSIZE_MAX ? scaled(max.height(), scale) : max.height();
    widget.setMaximumSize(std::min(maxWidth, QWIDGETSIZE_MAX),
                          std::min(maxHeight, QWIDGETSIZE_MAX));
}

// Containers whose children are controls of the window; any other widget is a
// control whose own insides it places itself.
bool isPlainContainer(const QWidget& widget) {
    const QMetaObject* type = widget.metaObject();
    return type == &QWidget::staticMetaObject || type == &QFrame::staticMetaObject ||
           type == &QGroupBox::staticMetaObject;
}

void scaleControls(QWidget& container, double scale) {
    const bool placedByLayout = container.layout() != nullptr;
    for (QWidget* control : container.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->isWindow()) continue;
        scaleLimits(*control, scale);
        if (!placedByLayout) {
            const QRect r = control->geometry();
            const int height =
                qobject_cast<QComboBox*>(control) ? r.height() : scaled(r.height(), scale);
            control->setGeometry(scaled(r.x(), scale), scaled(r.y(), scale),
                                 scaled(r.width(), scale), height);
        }
        if (isPlainContainer(*control)) scaleControls(*control, scale);
    }
}

}  // namespace

void EscalarVentana(QWidget& window, double scale) {
    if (scale == 1.0 || !(scale > 0.0) || !std::isfinite(scale)) return;
    if (window.property(kScaledProperty).toBool()) return;
    window.setProperty(kScaledProperty, true);

    // Controls with a font of their own are scaled from the size they had;
    // the others inherit the window's scaled font, and scaling them as well
    // would apply the scale twice.
    std::vector<std::pair<QWidget*, QFont>> ownFonts;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isWindow() && control->testAttribute(Qt::WA_SetFont) &&
            (control->font().resolveMask() & QFont::SizeResolved)) {
            ownFonts.emplace_back(control, scaledFont(control->font(), scale));
        }
    }
    const QSize inner = window.size();
    window.setFont(scaledFont(window.font(), scale));
    for (auto& [control, font] : ownFonts) control->setFont(font);

    scaleControls(window, scale);
    scaleLimits(window, scale);
    // The frame keeps its size; only the inner area grows.
    window.resize(scaled(inner.width(), scale), scaled(inner.height(), scale));
}

}  // namespace cartulo::support
