#include "windows/frm_portapapeles.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QScrollArea>
#include <algorithm>

#include "platform/clipboard_watch.h"
#include "support/display_scale.h"
#include "windows/clipboard_markup.h"
#include "windows/preview_canvas.h"

namespace cartulo::windows {

namespace {

constexpr double kTwipsPerPixel = 15.0;

}  // namespace

frmPortapapeles::frmPortapapeles(MainServices& services, QWidget* parent)
    : QWidget(parent), services_(services), scale_(services.EscalaPantalla()) {
    setWindowTitle(QStringLiteral("Portapapeles"));
    // The window holds the keys for the main window's shortcuts; nothing
    // inside it takes any.
    setFocusPolicy(Qt::StrongFocus);

    picTexto_ = new PreviewCanvas(scale_, this);
    // Clipboard text is only shown: no link, button or pointer shape in it.
    picTexto_->setAttribute(Qt::WA_TransparentForMouseEvents);
    picTexto_->hide();

    picImagenFrame_ = new QScrollArea(this);
    picImagenFrame_->setFrameShape(QFrame::NoFrame);
    picImagenFrame_->setFocusPolicy(Qt::NoFocus);
    picImagenFrame_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picImagen_ = new QLabel;
    picImagenFrame_->setWidget(picImagen_);
    picImagenFrame_->hide();

    resize(qRound(kAnchoTwips / kTwipsPerPixel), qRound(kAltoTwips / kTwipsPerPixel));
    support::EscalarVentana(*this, scale_);
    loadSize_ = size();

    watch_ = std::make_unique<platform::ClipboardWatch>([this] { CambioPortapapeles(); });
    Refrescar();
}

frmPortapapeles::~frmPortapapeles() = default;

int frmPortapapeles::Px(int twips) const {
    return qRound(twips * scale_ / kTwipsPerPixel);
}

QWidget* frmPortapapeles::Exterior() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) return sub;
    return this;
}

// --- following the clipboard ---

void frmPortapapeles::CambioPortapapeles() {
    if (pending_) return;
    pending_ = true;
    QMetaObject::invokeMethod(
        this, [this] { RefrescarSiPendiente(); }, Qt::QueuedConnection);
}

void frmPortapapeles::RefrescarSiPendiente() {
    if (pending_) Refrescar();
}

void frmPortapapeles::Refrescar() {
    pending_ = false;
    if (std::optional<std::string> text = MarkupDelPortapapeles()) {
        MostrarTexto(std::move(*text));
        return;
    }
    const QImage picture = platform::ClipboardPicture();
    if (!picture.isNull()) {
        MostrarImagen(picture);
        return;
    }
    shown_ = Clase::Nada;
    text_.clear();
    picture_ = QImage();
    picTexto_->hide();
    picImagenFrame_->hide();
    picImagen_->clear();
}

void frmPortapapeles::MostrarTexto(std::string text) {
    const bool same = shown_ == Clase::Texto && text == text_;
    shown_ = Clase::Texto;
    picture_ = QImage();
    picImagenFrame_->hide();
    picImagen_->clear();
    picTexto_->show();
    if (same) return;
    text_ = std::move(text);
    Repintar();
}

void frmPortapapeles::MostrarImagen(const QImage& picture) {
    shown_ = Clase::Imagen;
    text_.clear();
    picTexto_->hide();
    if (picture != picture_) {
        picture_ = picture;
        picImagen_->setPixmap(QPixmap::fromImage(picture_));
        // The frame shows its scroll bars when the picture is larger than it.
        picImagen_->resize(picture_.size());
    }
    picImagenFrame_->show();
}

void frmPortapapeles::Repintar() {
    ++repaints_;
    paintedSize_ = picTexto_->size();
    picTexto_->PintarVisible(text_);
}

// --- placing and layout ---

void frmPortapapeles::Colocar() {
    QWidget* outer = Exterior();
    const int width = Px(kAnchoTwips);
    const int left = std::max(services_.BordeAcoplado() - width - kMargenPixeles, 0);
    outer->setGeometry(left, services_.AreaCliente().height() * 2 / 3, width, outer->height());
    colocadaEn_ = outer->pos();
}

void frmPortapapeles::Reacoplar() {
    if (colocadaEn_ && Exterior()->pos() == *colocadaEn_) Colocar();
}

void frmPortapapeles::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    picTexto_->setGeometry(rect());
    picImagenFrame_->setGeometry(rect());
    if (shown_ == Clase::Texto && picTexto_->size() != paintedSize_) Repintar();
}

void frmPortapapeles::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!placed_) {
        placed_ = true;
        Colocar();
    }
}

// --- activation, commands and closing ---

void frmPortapapeles::CrearBotones() {
    services_.BarraLimpiar();
}

void frmPortapapeles::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closed_) return;
    closed_ = true;
    watch_.reset();
    pending_ = false;
    services_.VentanaCerrada(*this);
}

QVariant frmPortapapeles::Comando(const QString& word, const Argumentos& /*args*/) {
    const QString w = word.toLower();
    if (w == u"cerrar") {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
            sub->close();
        } else {
            close();
        }
    } else if (w == u"colocar") {
        Colocar();
    } else if (w == u"permiteedicion" || w == u"permitebusqueda" || w == u"multiline") {
        return false;
    } else if (w == u"seleccion") {
        return QString();
    } else {
        ComandoNoReconocido(services_, QStringLiteral("frmPortapapeles"), windowTitle(), word);
    }
    return {};
}

}  // namespace cartulo::windows
