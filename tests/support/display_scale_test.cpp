#include "support/display_scale.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace cartulo::support {
namespace {

QFont pointFont(double size) {
    QFont font("Arial");
    font.setPointSizeF(size);
    return font;
}

template <typename W>
W* placed(W* widget, QRect geometry) {
    widget->setGeometry(geometry);
    return widget;
}

void expectGeometries(std::vector<std::pair<QWidget*, QRect>> expected) {
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].first->geometry(), expected[i].second) << "widget " << i;
    }
}

TEST(EscalarVentana, ScalesAHandPlacedWindowOnceAndAtOneChangesNothing) {
    QWidget window;
    window.setFont(pointFont(8));
    window.resize(400, 200);
    auto* label = placed(new QLabel("Entrada:", &window), {8, 8, 80, 16});
    auto* combo = placed(new QComboBox(&window), {96, 40, 200, 22});
    auto* button = placed(new QPushButton("&Aceptar", &window), {300, 160, 80, 24});
    button->setFont(pointFont(10));
    auto* pixels = placed(new QLineEdit(&window), {8, 170, 80, 20});
    QFont pixelFont;
    pixelFont.setPixelSize(12);
    pixels->setFont(pixelFont);
    auto* frame = placed(new QGroupBox("Opciones", &window), {8, 80, 200, 60});
    auto* check = placed(new QCheckBox("Ampliar", frame), {10, 20, 100, 20});
    EscalarVentana(window, 1.0);
    EXPECT_EQ(window.size(), QSize(400, 200));
    expectGeometries({{label, {8, 8, 80, 16}}, {button, {300, 160, 80, 24}}});
    EXPECT_DOUBLE_EQ(button->font().pointSizeF(), 10);
    EscalarVentana(window, 1.25);
    EscalarVentana(window, 1.25);  // no second time
    EXPECT_EQ(window.size(), QSize(500, 250));
    expectGeometries({{label, {10, 10, 100, 20}},
                      {button, {375, 200, 100, 30}},
                      {check, {13, 25, 125, 25}},
                      {combo, {120, 50, 250, 22}}});  // the combo keeps its height
    // Inherited fonts follow the window's once; a font of its own grows by the scale.
    EXPECT_DOUBLE_EQ(window.font().pointSizeF(), 10);
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 10);
    EXPECT_DOUBLE_EQ(button->font().pointSizeF(), 12.5);
    EXPECT_EQ(pixels->font().pixelSize(), 15);
}

TEST(EscalarVentana, DescendsIntoTabsScrollAreasSplittersStacksAndAnyWidget) {
    QWidget laidOut;
    laidOut.setFont(pointFont(8));
    auto* layout = new QVBoxLayout(&laidOut);
    auto* scroll = new QScrollArea;
    auto* contents = new QWidget;
    contents->resize(300, 400);
    auto* inScroll = placed(new QPushButton("Uno", contents), {20, 300, 80, 24});
    scroll->setWidget(contents);
    auto* splitter = new QSplitter;
    auto* left = new QFrame;
    auto* inSplitter = placed(new QLineEdit(left), {4, 4, 120, 20});
    splitter->addWidget(left);
    splitter->addWidget(new QLabel("Derecha"));
    auto* stack = new QStackedWidget;
    auto* stackPage = new QWidget;
    auto* inStack = placed(new QPushButton("Dos", stackPage), {40, 8, 60, 20});
    stack->addWidget(stackPage);
    // A picture with a button placed on it: a class that is neither a plain
    // widget, nor a frame, nor a group box.
    auto* picture = new QLabel;
    picture->setMinimumSize(200, 80);
    auto* onPicture = placed(new QPushButton("Tres", picture), {16, 40, 60, 20});
    onPicture->setFixedWidth(60);
    auto* tabs = new QTabWidget;
    auto* tabPage = new QWidget;
    auto* onTab = placed(new QPushButton("&Buscar", tabPage), {10, 20, 80, 24});
    tabs->addTab(tabPage, "General");
    for (QWidget* w : std::initializer_list<QWidget*>{scroll, splitter, stack, picture, tabs})
        layout->addWidget(w);
    EscalarVentana(laidOut, 1.25);
    EXPECT_EQ(contents->size(), QSize(375, 500));
    expectGeometries({{inScroll, {25, 375, 100, 30}},
                      {inSplitter, {5, 5, 150, 25}},
                      {inStack, {50, 10, 75, 25}},
                      {onPicture, {20, 50, 75, 25}},
                      {onTab, {13, 25, 100, 30}}});
    EXPECT_DOUBLE_EQ(onTab->font().pointSizeF(), 10);
    EXPECT_EQ(picture->minimumSize(), QSize(250, 100));
    EXPECT_EQ(onPicture->maximumWidth(), 75);
}

TEST(EscalarVentana, ScalesLayoutSpacingMarginsAndFixedSpacesOnce) {
    QWidget window;
    auto* root = new QVBoxLayout(&window);
    root->setSpacing(6);
    root->setContentsMargins(9, 8, 7, 6);
    root->addWidget(new QLabel("Texto"));
    root->addSpacing(8);
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addStretch();
    row->addWidget(new QPushButton("Aceptar"));
    root->addLayout(row);
    auto* group = new QGroupBox("Grupo");
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(2);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->addWidget(new QCheckBox("Uno"), 0, 0);
    grid->addWidget(new QCheckBox("Dos"), 1, 1);
    root->addWidget(group);
    auto* formPanel = new QWidget;
    auto* form = new QFormLayout(formPanel);
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(0);
    form->addRow("Nombre:", new QLineEdit);
    root->addWidget(formPanel);
    EscalarVentana(window, 1.25);
    EscalarVentana(window, 1.25);
    EXPECT_EQ(root->spacing(), 8);
    EXPECT_EQ(root->contentsMargins(), QMargins(11, 10, 9, 8));
    EXPECT_EQ(root->itemAt(1)->spacerItem()->sizeHint().height(), 10);
    EXPECT_EQ(row->spacing(), 5);
    EXPECT_EQ(row->itemAt(0)->spacerItem()->sizeHint(), QSize(0, 0));  // a stretch stays one
    EXPECT_EQ(grid->horizontalSpacing(), 13);
    EXPECT_EQ(grid->verticalSpacing(), 3);
    EXPECT_EQ(grid->contentsMargins(), QMargins(5, 5, 5, 5));
    EXPECT_EQ(form->horizontalSpacing(), 15);
}

TEST(EscalarVentana, APartScaledBeforeIsNotScaledAgain) {
    QWidget outer;
    outer.setFont(pointFont(8));
    outer.resize(200, 100);
    auto* inner = new QWidget;  // a window of its own at first
    inner->setFont(pointFont(8));
    inner->resize(100, 50);
    auto* button = placed(new QPushButton("Uno", inner), {8, 8, 40, 16});
    EscalarVentana(*inner, 1.25);
    ASSERT_EQ(button->geometry(), QRect(10, 10, 50, 20));
    inner->setParent(&outer);
    inner->move(20, 20);
    EscalarVentana(outer, 1.25);
    EXPECT_EQ(outer.size(), QSize(250, 125));
    expectGeometries({{inner, {20, 20, 125, 63}}, {button, {10, 10, 50, 20}}});
    EXPECT_DOUBLE_EQ(inner->font().pointSizeF(), 10);
}

}  // namespace
}  // namespace cartulo::support
