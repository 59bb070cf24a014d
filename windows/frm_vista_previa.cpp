#include "windows/frm_vista_previa.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "platform/text_codec.h"
#include "richtext/binding_resources.h"
#include "richtext/our_mc.h"
#include "windows/preview_canvas.h"
#include "windows/preview_close_button.h"
#include "windows/preview_size_grip.h"

namespace cartulo::windows {

namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr int kTitleIndentTwips = 90;
constexpr int kCloseInset = 4;   // pixels between the close button and the strip's edges
constexpr int kScrollStep = 20;  // pixels per arrow of the scroll bar

// Where picture names of a card file never saved resolve.
std::string programFolder() {
    if (const auto resources = ProgramResources(); resources && !resources->programFolder.empty()) {
        return resources->programFolder;
    }
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

std::string folderOf(const cCartulo& file) {
    std::string folder = file.GetBasePath();
    return folder.empty() ? programFolder() : folder;
}

}  // namespace

frmVistaPrevia::frmVistaPrevia(MainServices& services, platform::TickSource clock, QWidget* parent,
                               cCartulos* registry)
    : QWidget(parent),
      services_(services),
      clock_(std::move(clock)),
      scale_(services.EscalaPantalla()),
      registry_(registry != nullptr ? *registry : Ctus()) {
    setWindowFlag(Qt::FramelessWindowHint);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);

    picSalida_ = new PreviewCanvas(scale_, this);
    // Exec and Popup stay unanswered: a card file must not run commands.
    Renderer().Hypertext = [this](const std::string& target) { Vinculo(target); };

    scrVertical_ = new QScrollBar(Qt::Vertical, this);
    scrVertical_->setFocusPolicy(Qt::NoFocus);
    scrVertical_->setSingleStep(kScrollStep);
    scrVertical_->setRange(0, 0);
    scrVertical_->hide();
    connect(scrVertical_, &QScrollBar::valueChanged, this, [this] { Invalidar(); });

    cmdCerrar_ = new PreviewCloseButton(this);
    cmdCerrar_->hide();
    // Not from inside the button's own mouse event: the window, and the
    // button with it, may be gone once `cerrada` has been handled.
    cmdCerrar_->AlPulsar = [this] {
        QMetaObject::invokeMethod(this, &frmVistaPrevia::CerrarPulsado, Qt::QueuedConnection);
    };
    cmdCerrar_->AlRatonPulsado = [this](QMouseEvent& event, QPoint position) {
        RatonPulsado(event, position);
    };
    cmdCerrar_->AlRatonMovido = [this](QMouseEvent& event, QPoint position) {
        RatonMovido(event, position);
    };

    picAgarre_ = new PreviewSizeGrip(this);
    picAgarre_->SetMinimo(QSize(Px(kAnchoMinimoTwips), Px(kAltoMinimoTwips)));

    tmrCerrar_ = new QTimer(this);
    tmrCerrar_->setInterval(kIntervaloCerrarMs);
    connect(tmrCerrar_, &QTimer::timeout, this, [this] { tmrCerrar_Timer(); });

    // Zero: after everything the event loop already holds, so a burst of
    // changes makes one painting.
    tmrPintar_ = new QTimer(this);
    tmrPintar_->setSingleShot(true);
    tmrPintar_->setInterval(0);
    connect(tmrPintar_, &QTimer::timeout, this, [this] { Repintar(); });

    registrySubscription_ = registry_.Subscribe(static_cast<CartulosListener&>(*this));

    resize(kAnchoPixeles, 3 * kAnchoPixeles / 2);
    Distribuir();
    Invalidar();
}

frmVistaPrevia::~frmVistaPrevia() = default;

int frmVistaPrevia::Px(int twips) const {
    return qRound(twips * scale_ / kTwipsPerPixel);
}

cOurMC& frmVistaPrevia::Renderer() {
    return picSalida_->Renderer();
}

// --- the card shown ---

void frmVistaPrevia::SetCartulo(std::shared_ptr<cCartulo> file) {
    if (file == ctu_) {
        // Saved elsewhere since ("Guardar como"): its pictures are there now.
        if (ctu_ && Renderer().BasePath() != folderOf(*ctu_)) {
            Renderer().SetBasePath(folderOf(*ctu_));
            if (id_ != kNoCard) Invalidar();
        }
        return;
    }
    const bool wasShowing = id_ != kNoCard;
    subscription_.reset();
    ctu_ = std::move(file);
    id_ = kNoCard;
    if (ctu_) {
        subscription_ = ctu_->Subscribe(static_cast<CartuloListener&>(*this));
        Renderer().SetBasePath(folderOf(*ctu_));
    }
    // Never leave the last file's card on show.
    if (wasShowing) OtraFicha();
}

void frmVistaPrevia::SetID(CardId id) {
    if (id == id_) return;
    id_ = id;
    OtraFicha();
}

void frmVistaPrevia::OtraFicha() {
    const QSignalBlocker quiet(scrVertical_);
    scrVertical_->setValue(0);
    Actualizar();
}

void frmVistaPrevia::Mostrar(std::shared_ptr<cCartulo> file, CardId id) {
    SetCartulo(std::move(file));
    SetID(id);
}

void frmVistaPrevia::Vaciar() {
    SetCartulo(nullptr);
}

void frmVistaPrevia::Actualizar() {
    ActualizarTitulo();
    Invalidar();
}

void frmVistaPrevia::ActualizarTitulo() {
    const bool showing = ctu_ && id_ != kNoCard;
    setWindowTitle(showing ? platform::toQString(" " + ctu_->GetNtry(id_)) : QString());
    update(0, 0, width(), Px(kAltoTiraTwips));
}

std::optional<std::string> frmVistaPrevia::TextoMostrado() const {
    if (!ctu_ || id_ == kNoCard) return std::nullopt;
    return ctu_->GetTxt(id_);
}

// --- card-file and registry events ---

void frmVistaPrevia::Ctu_CloseCard(CardId card) {
    if (card != id_) return;
    id_ = kNoCard;
    OtraFicha();
}

void frmVistaPrevia::Ctu_CloseFile() {
    // This window may hold the file's last reference, and the file is still
    // inside its own CloseFile: it is let go when the event loop next turns.
    QMetaObject::invokeMethod(
        this, [closing = ctu_] {}, Qt::QueuedConnection);
    Vaciar();
}

void frmVistaPrevia::Ctu_UpdateCardNtry(CardId card) {
    if (card == id_) ActualizarTitulo();
}

void frmVistaPrevia::Ctu_UpdateCardTxt(CardId card) {
    if (card == id_) Invalidar();
}

void frmVistaPrevia::Ctus_Remove(std::int32_t index) {
    if (ctu_ && registry_.List(index) == ctu_) Vaciar();
}

// --- painting the output area ---

void frmVistaPrevia::Invalidar() {
    stale_ = true;
    if (!tmrPintar_->isActive()) tmrPintar_->start();
}

void frmVistaPrevia::RepintarSiPendiente() {
    if (stale_) Repintar();
}

void frmVistaPrevia::Repintar() {
    tmrPintar_->stop();
    // Hidden or rolled up: it stays stale until the area shows again.
    if (!stale_ || !isVisible() || picSalida_->isHidden()) return;
    stale_ = false;
    ++repaints_;
    const std::optional<std::string> text = TextoMostrado();
    if (!text) {
        textHeight_ = 0;
        if (barShown_) {
            barShown_ = false;
            Distribuir();
        }
        const QSignalBlocker quiet(scrVertical_);
        scrVertical_->setRange(0, 0);
        picSalida_->Limpiar();
        lastWidth_ = picSalida_->width();
        return;
    }
    // Showing or hiding the scroll bar changes the width, and a shorter
    // text may pull the scroll position up: each asks for one more pass.
    // A narrower area never makes the text shorter, so this settles.
    for (int pass = 0; pass < 4; ++pass) {
        textHeight_ = picSalida_->Pintar(*text, kMargenTextoPixeles, scrVertical_->value());
        const bool needBar = textHeight_ + kMargenTextoPixeles > picSalida_->height();
        if (needBar != barShown_) {
            barShown_ = needBar;
            Distribuir();
            continue;
        }
        if (!AjustarBarra()) break;
    }
    lastWidth_ = picSalida_->width();
}

bool frmVistaPrevia::AjustarBarra() {
    const int view = std::max(picSalida_->height(), 1);
    const int before = scrVertical_->value();
    const QSignalBlocker quiet(scrVertical_);
    scrVertical_->setRange(0, std::max(0, textHeight_ + kMargenTextoPixeles - view));
    scrVertical_->setPageStep(view);
    return scrVertical_->value() != before;
}

// --- placing and layout ---

void frmVistaPrevia::Activar() {
    show();
    raise();
}

void frmVistaPrevia::Colocar() {
    const QSize area = services_.AreaCliente();
    setGeometry(area.width() - kAnchoPixeles - kMargenPixeles, kMargenPixeles, kAnchoPixeles,
                std::max(area.height() - 2 * kMargenPixeles, 1));
}

void frmVistaPrevia::CrearBotones() {
    services_.BarraLimpiar();
}

bool frmVistaPrevia::Minimizada() const {
    return height() <= Px(kAltoMinimizadaTwips);
}

void frmVistaPrevia::SetMinimizada(bool rolledUp) {
    if (rolledUp == Minimizada()) return;
    if (rolledUp) {
        restoreHeight_ = height();
        resize(width(), Px(kAltoTiraTwips) + 1);
    } else {
        const int fallback = Px(kAltoMinimoTwips);
        resize(width(), restoreHeight_ > Px(kAltoMinimizadaTwips) ? restoreHeight_ : fallback);
    }
}

void frmVistaPrevia::Distribuir() {
    const int w = width(), h = height();
    const int strip = Px(kAltoTiraTwips);
    const int side = std::max(strip - 2 * kCloseInset, 1);
    cmdCerrar_->setGeometry(w - 1 - kCloseInset - side, (strip - side) / 2, side, side);

    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrVertical_);
    const int body = h - 1 - strip;
    const bool open = body > 0;
    picSalida_->setVisible(open);
    picAgarre_->setVisible(open && body >= bar);
    scrVertical_->setVisible(open && barShown_ && body > bar);
    if (open) {
        picSalida_->setGeometry(1, strip, std::max(w - 2 - (barShown_ ? bar : 0), 1), body);
        scrVertical_->setGeometry(w - 1 - bar, strip, bar, std::max(body - bar, 0));
        picAgarre_->setGeometry(w - 1 - bar, h - 1 - bar, bar, bar);
        picAgarre_->raise();
    }
    cmdCerrar_->raise();
}

void frmVistaPrevia::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Distribuir();
    if (picSalida_->isHidden()) return;
    // Only a new width lays the text out again; a lower area shows part of
    // what is painted, a taller one needs the part not painted yet.
    if (stale_ || picSalida_->width() != lastWidth_ ||
        picSalida_->height() > picSalida_->AltoPintado()) {
        Invalidar();
        return;
    }
    const bool needBar = textHeight_ + kMargenTextoPixeles > picSalida_->height();
    if (needBar != barShown_ || AjustarBarra()) Invalidar();
}

void frmVistaPrevia::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stale_) Invalidar();
}

void frmVistaPrevia::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    const int strip = Px(kAltoTiraTwips);
    p.fillRect(rect(), pal.color(QPalette::Window));
    const QRect stripArea(1, 1, width() - 2, strip - 2);
    QLinearGradient shade(stripArea.topLeft(), stripArea.bottomLeft());
    shade.setColorAt(0, pal.color(QPalette::Window).lighter(104));
    shade.setColorAt(1, pal.color(QPalette::Window).darker(108));
    p.fillRect(stripArea, shade);

    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(pal.color(QPalette::WindowText));
    const int indent = Px(kTitleIndentTwips);
    const QRect titleArea(indent, 1, std::max(width() - strip - indent, 0), strip - 2);
    p.drawText(titleArea, Qt::AlignVCenter | Qt::AlignLeft,
               p.fontMetrics().elidedText(windowTitle(), Qt::ElideRight, titleArea.width()));

    p.setPen(pal.color(QPalette::Mid));
    p.drawLine(1, strip - 1, width() - 2, strip - 1);
    p.setPen(pal.color(QPalette::Dark));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

// --- closing and activation ---

void frmVistaPrevia::closeEvent(QCloseEvent* event) {
    tmrCerrar_->stop();
    cmdCerrar_->hide();
    Vaciar();
    tmrPintar_->stop();
    event->accept();
    emit cerrada();
}

void frmVistaPrevia::CerrarPulsado() {
    // The button is seen released before the window goes.
    const QPointer<frmVistaPrevia> self(this);
    QCoreApplication::processEvents();
    // A second click queued meanwhile finds it closed already.
    if (self && isVisible()) close();
}

void frmVistaPrevia::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    CrearBotones();
}

// --- keys and the wheel ---

void frmVistaPrevia::keyPressEvent(QKeyEvent* event) {
    // The main window has seen the key first (its shortcuts).
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (ctu_ && id_ != kNoCard) services_.MuestraFicha(ctu_, id_);
        event->accept();
        return;
    }
    std::optional<QAbstractSlider::SliderAction> action;
    switch (event->key()) {
        case Qt::Key_Down:
            action = QAbstractSlider::SliderSingleStepAdd;
            break;
        case Qt::Key_Up:
            action = QAbstractSlider::SliderSingleStepSub;
            break;
        case Qt::Key_PageDown:
            action = QAbstractSlider::SliderPageStepAdd;
            break;
        case Qt::Key_PageUp:
            action = QAbstractSlider::SliderPageStepSub;
            break;
        case Qt::Key_Home:
            action = QAbstractSlider::SliderToMinimum;
            break;
        case Qt::Key_End:
            action = QAbstractSlider::SliderToMaximum;
            break;
        default:
            break;
    }
    if (action && barShown_) {
        scrVertical_->triggerAction(*action);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmVistaPrevia::wheelEvent(QWheelEvent* event) {
    if (!barShown_) {
        event->ignore();
        return;
    }
    QCoreApplication::sendEvent(scrVertical_, event);
}

// --- the mouse on the body and the title strip ---

void frmVistaPrevia::RatonPulsado(QMouseEvent& event, QPoint) {
    if (event.button() == Qt::LeftButton) {
        dragging_ = true;
        dragFrom_ = event.globalPosition().toPoint();
    } else if (event.button() == Qt::RightButton) {
        SetMinimizada(!Minimizada());
    }
}

void frmVistaPrevia::RatonMovido(QMouseEvent& event, QPoint position) {
    if (dragging_ && (event.buttons() & Qt::LeftButton)) {
        const QPoint now = event.globalPosition().toPoint();
        move(pos() + (now - dragFrom_));
        dragFrom_ = now;
        return;
    }
    const int near = Px(kZonaCerrarTwips);
    if (position.y() < near && position.x() >= width() - near) MostrarBotonCerrar();
}

void frmVistaPrevia::mousePressEvent(QMouseEvent* event) {
    RatonPulsado(*event, event->position().toPoint());
}

void frmVistaPrevia::mouseMoveEvent(QMouseEvent* event) {
    RatonMovido(*event, event->position().toPoint());
}

void frmVistaPrevia::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
}

void frmVistaPrevia::Vinculo(const std::string& target) {
    if (!ctu_ || id_ == kNoCard) return;
    QMetaObject::invokeMethod(
        this,
        [this, file = ctu_, target] {
            // Another file shown meanwhile: the link was not one of its own.
            if (file != ctu_) return;
            const CardId card = file->SrchNtry(target);
            if (card > kNoCard) services_.MuestraFicha(file, card);
        },
        Qt::QueuedConnection);
}

// --- the close button ---

void frmVistaPrevia::MostrarBotonCerrar() {
    cmdCerrar_->show();
    cmdCerrar_->raise();
    closeShownTick_ = clock_();
    tmrCerrar_->start();
}

void frmVistaPrevia::tmrCerrar_Timer() {
    if (cmdCerrar_->isHidden()) {
        tmrCerrar_->stop();
        return;
    }
    if (!cmdCerrar_->Pulsado() && !cmdCerrar_->Sostenido() &&
        platform::TicksSince(closeShownTick_, clock_()) > kMsBotonCerrar) {
        cmdCerrar_->hide();
        tmrCerrar_->stop();
    }
}

}  // namespace cartulo::windows
