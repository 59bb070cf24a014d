#include "support/display_scale.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFont>
#include <QFormLayout>
#include <QGridLayout>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QSpacerItem>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
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

// Whether the controls inside a widget were placed by hand: not by a layout,
// and not by the widget itself, as the controls that are built of other
// widgets (a tab widget, a splitter, a scroll area, a combo box...) place
// their parts. Any other widget (a plain one, a frame, a group box, a tab
// page, the contents of a scroll area, a class of the program's own) leaves
// its children where they were put.
bool placesChildrenByHand(const QWidget& widget) {
    if (widget.layout() != nullptr) return false;
    return !(qobject_cast<const QAbstractScrollArea*>(&widget) ||
             qobject_cast<const QSplitter*>(&widget) || qobject_cast<const QTabWidget*>(&widget) ||
             qobject_cast<const QTabBar*>(&widget) || qobject_cast<const QComboBox*>(&widget) ||
             qobject_cast<const QAbstractSpinBox*>(&widget) ||
             qobject_cast<const QLineEdit*>(&widget) || qobject_cast<const QMenuBar*>(&widget));
}

// Every control inside the widget, parents before their children, at any
// depth. Windows of their own (dialogs) and parts already scaled (a window
// scaled before it was put inside this one) are left out, with their insides.
void collectControls(QWidget& widget, std::vector<QWidget*>& out) {
    for (QWidget* child : widget.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() || child->property(kScaledProperty).toBool()) continue;
        out.push_back(child);
        collectControls(*child, out);
    }
}

// The spacing, margins and fixed spaces of a layout and of the layouts
// nested in it.
void scaleLayout(QLayout& layout, double scale) {
    if (auto* grid = qobject_cast<QGridLayout*>(&layout)) {
        const int horizontal = grid->horizontalSpacing(), vertical = grid->verticalSpacing();
        if (horizontal >= 0) grid->setHorizontalSpacing(scaled(horizontal, scale));
        if (vertical >= 0) grid->setVerticalSpacing(scaled(vertical, scale));
    } else if (auto* form = qobject_cast<QFormLayout*>(&layout)) {
        const int horizontal = form->horizontalSpacing(), vertical = form->verticalSpacing();
        if (horizontal >= 0) form->setHorizontalSpacing(scaled(horizontal, scale));
        if (vertical >= 0) form->setVerticalSpacing(scaled(vertical, scale));
    } else if (const int spacing = layout.spacing(); spacing >= 0) {
        // Below 0 the style chooses by the kinds of the neighbouring controls.
        layout.setSpacing(scaled(spacing, scale));
    }
    const QMargins m = layout.contentsMargins();
    layout.setContentsMargins(scaled(m.left(), scale), scaled(m.top(), scale),
                              scaled(m.right(), scale), scaled(m.bottom(), scale));
    for (int i = 0; i < layout.count(); ++i) {
        QLayoutItem* item = layout.itemAt(i);
        if (QLayout* nested = item->layout()) {
            scaleLayout(*nested, scale);
        } else if (QSpacerItem* space = item->spacerItem()) {
            const QSize size = space->sizeHint();
            const QSizePolicy policy = space->sizePolicy();
            space->changeSize(scaled(size.width(), scale), scaled(size.height(), scale),
                              policy.horizontalPolicy(), policy.verticalPolicy());
        }
    }
    layout.invalidate();
}

}  // namespace

void EscalarVentana(QWidget& window, double scale) {
    if (scale == 1.0 || !(scale > 0.0) || !std::isfinite(scale)) return;
    if (window.property(kScaledProperty).toBool()) return;
    std::vector<QWidget*> controls;
    collectControls(window, controls);
    window.setProperty(kScaledProperty, true);
    for (QWidget* control : controls) control->setProperty(kScaledProperty, true);

    // Controls with a font of their own are scaled from the size they had;
    // the others inherit the window's scaled font, and scaling them as well
    // would apply the scale twice.
    std::vector<std::pair<QWidget*, QFont>> ownFonts;
    for (QWidget* control : controls) {
        if (control->testAttribute(Qt::WA_SetFont) &&
            (control->font().resolveMask() & QFont::SizeResolved)) {
            ownFonts.emplace_back(control, scaledFont(control->font(), scale));
        }
    }
    const QSize inner = window.size();
    window.setFont(scaledFont(window.font(), scale));
    for (auto& [control, font] : ownFonts) control->setFont(font);

    if (QLayout* layout = window.layout()) scaleLayout(*layout, scale);
    for (QWidget* control : controls) {
        if (QLayout* layout = control->layout()) scaleLayout(*layout, scale);
        scaleLimits(*control, scale);
        if (placesChildrenByHand(*control->parentWidget())) {
            const QRect r = control->geometry();
            const int height =
                qobject_cast<QComboBox*>(control) ? r.height() : scaled(r.height(), scale);
            control->setGeometry(scaled(r.x(), scale), scaled(r.y(), scale),
                                 scaled(r.width(), scale), height);
        }
    }
    scaleLimits(window, scale);
    // The frame keeps its size; only the inner area grows.
    window.resize(scaled(inner.width(), scale), scaled(inner.height(), scale));
}

}  // namespace cartulo::support
