#include "shell/command_bar.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <cmath>

#include "shell/command_bar_button.h"
#include "shell/drawn_icons.h"
#include "shell/search_field.h"

namespace cartulo::shell {

namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr int kSearchFieldWidth = 220;

QString captionOf(BarPanel panel) {
    switch (panel) {
        case BarPanel::Ayuda:
            return QStringLiteral("Ayuda");
        case BarPanel::Buscar:
            return QStringLiteral("Buscar");
        case BarPanel::Cliente:
            return {};
        case BarPanel::Organizar:
            return QStringLiteral("Organizar");
        case BarPanel::Edicion:
            return QStringLiteral("Edición");
        case BarPanel::Ficha:
            return QStringLiteral("Ficha");
        case BarPanel::Cartulo:
            return QStringLiteral("Cartulo");
        case BarPanel::Ventana:
            return QStringLiteral("Ventana");
    }
    return {};
}

bool opensMenu(BarPanel panel) {
    return panel == BarPanel::Ayuda || panel >= BarPanel::Organizar;
}

QFrame* separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFixedHeight(18);
    return line;
}

}  // namespace

BarraComandos::BarraComandos(double scale, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picBarra"));
    setFocusPolicy(Qt::ClickFocus);
    setFixedHeight(static_cast<int>(std::lround(kHeightTwips / kTwipsPerPixel * scale)));
    QFont barFont(QStringLiteral("Tahoma"));
    barFont.setPointSizeF(font().pointSizeF() * scale);
    setFont(barFont);

    auto* row = new QHBoxLayout(this);
    const int margin = static_cast<int>(std::lround(6 * scale));
    row->setContentsMargins(margin, 0, margin, 0);
    row->setSpacing(2);

    // Built in their documented order; placed menus first, the search and
    // help at the right edge, as desktop programs do.
    std::array<QWidget*, kBarPanelCount> panels{};
    for (int i = 0; i < kBarPanelCount; ++i) panels[i] = makePanel(static_cast<BarPanel>(i));
    for (int i = kFirstMenuPanel; i < kBarPanelCount; ++i) row->addWidget(panels[i]);
    row->addWidget(separator(this));
    row->addWidget(panels[index(BarPanel::Cliente)]);
    row->addStretch(1);
    row->addWidget(panels[index(BarPanel::Buscar)]);
    row->addWidget(panels[index(BarPanel::Ayuda)]);
    txtBuscar_->setFixedWidth(static_cast<int>(std::lround(kSearchFieldWidth * scale)));
}

QWidget* BarraComandos::makePanel(BarPanel panel) {
    auto* box = new QWidget(this);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    box->setAccessibleName(captionOf(panel));
    if (panel == BarPanel::Buscar) {
        txtBuscar_ = new CampoBuscar(box);
        layout->addWidget(txtBuscar_);
        auto* go = new BotonBarra(QString(), false, box);
        go->setIcon(IconoBuscar());
        go->setToolTip(captionOf(panel));
        go->setAccessibleName(captionOf(panel));
        connect(go, &QAbstractButton::clicked, this, [this] {
            if (onCommand) onCommand(QStringLiteral("BuscarGlobal"));
        });
        buttons_[index(panel)] = go;
        layout->addWidget(go);
    } else if (panel != BarPanel::Cliente) {
        auto* button = new BotonBarra(captionOf(panel), opensMenu(panel), box);
        connect(button, &QAbstractButton::clicked, this, [this, panel] { openMenuOf(panel); });
        buttons_[index(panel)] = button;
        layout->addWidget(button);
    }
    auto* area = new QWidget(box);
    auto* elements = new QHBoxLayout(area);
    elements->setContentsMargins(0, 0, 0, 0);
    elements->setSpacing(2);
    layout->addWidget(area);
    areas_[index(panel)] = area;
    elementRows_[index(panel)] = elements;
    return box;
}

void BarraComandos::SetMenu(BarPanel panel, QMenu* menu) {
    menus_[index(panel)] = menu;
    if (menu == nullptr) return;
    BotonBarra* button = buttons_[index(panel)];
    connect(menu, &QMenu::aboutToHide, button, [button] { button->SetMenuOpen(false); });
}

void BarraComandos::openMenuOf(BarPanel panel) {
    QMenu* menu = menus_[index(panel)];
    BotonBarra* button = buttons_[index(panel)];
    if (menu == nullptr || button == nullptr) return;
    button->SetMenuOpen(true);
    menu->popup(button->mapToGlobal(QPoint(0, button->height() - 3)));
}

bool BarraComandos::AbrirMenu(int n) {
    // Checked before the sum, which a huge n would overflow.
    if (n < 0 || n >= kBarPanelCount - kFirstMenuPanel) return false;
    const int panel = kFirstMenuPanel + n;
    if (menus_[panel] == nullptr) return false;
    openMenuOf(static_cast<BarPanel>(panel));
    return true;
}

void BarraComandos::AnadeComando(const QString& owner, int panel, const QString& caption,
                                 const QString& word) {
    elements_.Add(owner, panel, caption, word);
    rebuildElements();
}

void BarraComandos::AnadeMenu(const QString& owner, int panel, const QString& caption,
                              const QString& menuName) {
    elements_.AddMenu(owner, panel, caption, menuName);
    rebuildElements();
}

QWidget* BarraComandos::PanelCliente(int panel) const {
    if (panel < 0 || panel >= kBarPanelCount) return nullptr;
    return areas_[panel];
}

void BarraComandos::openElementMenu(BotonBarra* button, const QString& menuName) {
    // Looked up at the click: the window that made the menu may be gone.
    QMenu* menu = onFindMenu ? onFindMenu(menuName) : nullptr;
    if (menu == nullptr) return;
    button->SetMenuOpen(true);
    // Tied to the button: a button rebuilt meanwhile is never called.
    connect(
        menu, &QMenu::aboutToHide, button, [button] { button->SetMenuOpen(false); },
        Qt::SingleShotConnection);
    menu->popup(button->mapToGlobal(QPoint(0, button->height() - 3)));
}

void BarraComandos::QuitarElementos(const QString& owner) {
    if (elements_.RemoveOwner(owner)) rebuildElements();
}

void BarraComandos::Limpiar() {
    if (elements_.RemoveAllButMain()) rebuildElements();
}

QList<BotonBarra*> BarraComandos::BotonesDeElementos(int panel) const {
    if (panel < 0 || panel >= kBarPanelCount) return {};
    return elementButtons_[panel];
}

void BarraComandos::rebuildElements() {
    for (int panel = 0; panel < kBarPanelCount; ++panel) {
        for (BotonBarra* button : elementButtons_[panel]) {
            button->hide();
            button->deleteLater();
        }
        elementButtons_[panel].clear();
        for (const BarElement& element : elements_.InPanel(panel)) {
            const bool opensMenu = !element.menu.isEmpty();
            auto* button = new BotonBarra(element.caption, opensMenu, this);
            if (opensMenu) {
                const QString menuName = element.menu;
                connect(button, &QAbstractButton::clicked, this,
                        [this, button, menuName] { openElementMenu(button, menuName); });
            } else {
                const QString word = element.word;
                connect(button, &QAbstractButton::clicked, this, [this, word] {
                    if (onCommand) onCommand(word);
                });
            }
            elementRows_[panel]->addWidget(button);
            elementButtons_[panel].append(button);
        }
    }
}

void BarraComandos::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor base = palette().color(QPalette::Window);
    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0.0, base.lighter(108));
    fill.setColorAt(1.0, base.lighter(101));
    painter.fillRect(rect(), fill);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, height() - 1, width(), height() - 1);
}

}  // namespace cartulo::shell
