#include "support/display_scale.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace cartulo::support {
namespace {

QFont pointFont(double size) {
    QFont font("Arial");
    font.setPointSizeF(size);
    return font;
}

// A window whose controls are placed by hand, the way the old forms were.
struct HandPlacedWindow {
    QWidget window;
    QLabel* label = new QLabel("Entrada:", &window);
    QComboBox* combo = new QComboBox(&window);
    QPushButton* button = new QPushButton("&Aceptar", &window);
    QGroupBox* frame = new QGroupBox("Opciones", &window);
    QCheckBox* check = new QCheckBox("Ampliar", frame);

    HandPlacedWindow() {
        window.setFont(pointFont(8));
        window.resize(400, 200);
        label->setGeometry(8, 8, 80, 16);
        combo->setGeometry(96, 40, 200, 22);
        button->setGeometry(300, 160, 80, 24);
        button->setFont(pointFont(10));
        frame->setGeometry(8, 80, 200, 60);
        check->setGeometry(10, 20, 100, 20);
    }
};

TEST(EscalarVentana, ScalesAWindowWithAFewControlsOnce) {
    HandPlacedWindow w;
    EscalarVentana(w.window, 1.25);
    EscalarVentana(w.window, 1.25);  // no second time
    EXPECT_EQ(w.window.size(), QSize(500, 250));
    EXPECT_EQ(w.label->geometry(), QRect(10, 10, 100, 20));
    EXPECT_EQ(w.button->geometry(), QRect(375, 200, 100, 30));
    EXPECT_EQ(w.frame->geometry(), QRect(10, 100, 250, 75));
    EXPECT_EQ(w.check->geometry(), QRect(13, 25, 125, 25));
    EXPECT_EQ(w.combo->geometry(), QRect(120, 50, 250, 22));  // keeps its height
    // Inherited fonts follow the window's once; a font of its own grows by the scale.
    EXPECT_DOUBLE_EQ(w.window.font().pointSizeF(), 10);
    EXPECT_DOUBLE_EQ(w.label->font().pointSizeF(), 10);
    EXPECT_DOUBLE_EQ(w.check->font().pointSizeF(), 10);
    EXPECT_DOUBLE_EQ(w.button->font().pointSizeF(), 12.5);
}

TEST(EscalarVentana, AtOneNothingChanges) {
    HandPlacedWindow w;
    EscalarVentana(w.window, 1.0);
    EXPECT_EQ(w.window.size(), QSize(400, 200));
    EXPECT_EQ(w.label->geometry(), QRect(8, 8, 80, 16));
    EXPECT_DOUBLE_EQ(w.button->font().pointSizeF(), 10);
}

TEST(EscalarVentana, ALaidOutWindowGrowsThroughItsFontsAndFixedSizes) {
    QWidget window;
    window.setFont(pointFont(8));
    auto* layout = new QVBoxLayout(&window);
    auto* label = new QLabel("Ampliar textos y ventanas");
    auto* button = new QPushButton("&Aceptar");
    button->setFixedWidth(80);
    auto* pixels = new QLineEdit;
    QFont pixelFont;
    pixelFont.setPixelSize(12);
    pixels->setFont(pixelFont);
    layout->addWidget(label);
    layout->addWidget(button);
    layout->addWidget(pixels);
    const QSize before = window.sizeHint();
    EscalarVentana(window, 1.25);
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 10);
    EXPECT_EQ(button->minimumWidth(), 100);
    EXPECT_EQ(button->maximumWidth(), 100);
    EXPECT_EQ(pixels->font().pixelSize(), 15);
    EXPECT_GT(window.sizeHint().width(), before.width());
    EXPECT_GT(window.sizeHint().height(), before.height());
}

}  // namespace
}  // namespace cartulo::support
