#include "windows/frm_busqueda_global.h"

#include <QApplication>
#include <QPointer>
#include <QVBoxLayout>

#include "engine/global_query.h"
#include "platform/text_codec.h"
#include "windows/child_window.h"

namespace cartulo::windows {

namespace {

// What the user typed, in the files' code page; a character the code page
// lacks is in no card, so its place is marked never to match.
MarkedQuery marcada(const QString& typed) {
    MarkedQuery query;
    for (qsizetype i = 0; i < typed.size();) {
        const qsizetype n = typed[i].isHighSurrogate() && i + 1 < typed.size() ? 2 : 1;
        const auto part = platform::fromQString(typed.mid(i, n), 'x');
        if (!part.unstorable.empty()) query.unmatchable.push_back(query.text.size());
        query.text += part.text;
        i += n;
    }
    return query;
}

}  // namespace

frmBusquedaGlobal::frmBusquedaGlobal(MainServices& services, cCartulos& registry, Atajos atajos,
                                     QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint),
      services_(services),
      registry_(registry),
      atajos_(std::move(atajos)) {
    setObjectName(QStringLiteral("frmBusquedaGlobal"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    lstRes_ = new GlobalHitList(this);
    layout->addWidget(lstRes_);
    setFocusProxy(lstRes_);
    lstRes_->onAbrir = [this] { Abrir(); };
    lstRes_->onCerrar = [this] { Cerrar(); };
    lstRes_->onOtraTecla = [this](int key, Qt::KeyboardModifiers modifiers) {
        return atajos_ && atajos_(key, modifiers);
    };
    lstRes_->onFocoPerdido = [this] { Desactivada(); };
}

frmBusquedaGlobal::~frmBusquedaGlobal() {
    // The list may lose the focus while Qt destroys it, after this object is gone.
    lstRes_->onFocoPerdido = nullptr;
    lstRes_->onOtraTecla = nullptr;
}

void frmBusquedaGlobal::Mostrar(const QString& query) {
    query_ = query;
    show();
    raise();
    activateWindow();
    lstRes_->setFocus();
    Buscar();
}

void frmBusquedaGlobal::Buscar() {
    const QPointer<frmBusquedaGlobal> self(this);
    searching_ = true;
    leftWhileSearching_ = false;
    cronometro_.start();
    const MarkedQuery query = GlobalQuery(marcada(query_));
    std::vector<std::int32_t> ids;
    for (std::int32_t i = 0; i < registry_.ListCount(); ++i) ids.push_back(registry_.ID(i));

    std::vector<HitRow> rows;
    for (std::size_t n = 0; n < ids.size(); ++n) {
        if (n > 0) {
            // Between files only: another window's search of a file would
            // switch its query in the middle of a walk.
            QCoreApplication::processEvents();
            if (!self || closed_) return;
        }
        const std::shared_ptr<cCartulo> file = registry_.List(registry_.FindID(ids[n]));
        if (!file) continue;  // closed meanwhile
        CardId c = file->FindFirst(query);
        if (c == kNoCard) continue;
        rows.push_back({HitRowKind::Header, ids[n], kNoCard, file->GetFileTitle()});
        const CardId main = file->GetMain();
        for (; c != kNoCard; c = file->FindNext(c)) {
            rows.push_back({HitRowKind::Hit, ids[n], c,
                            c == main ? std::string(kMainCardName) : file->GetNtry(c)});
        }
    }
    const bool found = !rows.empty();
    if (!found) rows.push_back({HitRowKind::Message, -1, kNoCard, "No se encontraron elementos."});
    if (services_.Depuracion()) {
        rows.push_back({HitRowKind::Message, -1, kNoCard,
                        "Tiempo: " + std::to_string(cronometro_.elapsed()) + " ms"});
    }
    lstRes_->Llenar(std::move(rows));
    if (found) lstRes_->Seleccionar(1);
    searching_ = false;
    if (leftWhileSearching_) Cerrar();  // the focus went while events ran
}

void frmBusquedaGlobal::Abrir() {
    const int selected = lstRes_->Seleccionado();
    const auto& rows = lstRes_->Filas();
    if (closed_ || selected < 0 || selected >= static_cast<int>(rows.size())) return;
    const HitRow row = rows[static_cast<std::size_t>(selected)];
    if (row.kind != HitRowKind::Hit) return;
    const std::shared_ptr<cCartulo> file = registry_.List(registry_.FindID(row.fileId));
    // A card renamed since the search is still the card that was found.
    if (!file || file->GetSisters(row.card).empty()) {
        services_.MensajeEstado(QStringLiteral("La ficha ya no existe."));
        return;
    }
    const QString query = query_;
    Cerrar();
    if (ChildWindow* window = services_.MuestraFicha(file, row.card)) {
        window->Comando(QStringLiteral("BuscarTextoSilencio"), Argumentos(query));
    }
}

void frmBusquedaGlobal::Desactivada() {
    if (searching_) {
        leftWhileSearching_ = true;  // the list is not filled yet
    } else {
        Cerrar();
    }
}

void frmBusquedaGlobal::Cerrar() {
    if (closed_) return;
    closed_ = true;
    hide();
    deleteLater();
}

QString frmBusquedaGlobal::Fila(int row) const {
    const auto& rows = lstRes_->Filas();
    if (row < 0 || row >= static_cast<int>(rows.size())) return {};
    const HitRow& r = rows[static_cast<std::size_t>(row)];
    QString key;
    if (r.kind == HitRowKind::Header) key = QString::number(r.fileId);
    if (r.kind == HitRowKind::Hit) key = QString::number(r.fileId) + u':' + QString::number(r.card);
    return QString::number(static_cast<int>(r.kind)) + u',' + key + u',' +
           platform::toQString(r.text);
}

bool frmBusquedaGlobal::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate) Desactivada();
    return QWidget::event(event);
}

}  // namespace cartulo::windows
