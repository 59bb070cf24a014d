// The main window's menu items: when they are enabled and what they do.
#include <QAction>
#include <QClipboard>
#include <QDateTime>
#include <QGuiApplication>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QToolBar>

#include "platform/text_codec.h"
#include "shell/about.h"
#include "shell/card_messages.h"
#include "shell/child_windows.h"
#include "shell/frm_lista_ventanas.h"
#include "shell/frm_main.h"
#include "shell/main_menus.h"
#include "shell/new_entries.h"
#include "shell/typed_command.h"
#include "support/frm_opciones.h"
#include "windows/frm_comparar_cartulos.h"
#include "windows/frm_ficha.h"
#include "windows/frm_info.h"
#include "windows/frm_portapapeles.h"
#include "windows/markup_highlighter.h"
#include "windows/spell_service.h"

namespace cartulo::shell {

namespace {

bool clipboardHoldsText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText() && !data->text().isEmpty();
}

}  // namespace

ActiveWindowInfo frmMain::infoVentanaActiva(bool withEditing) const {
    ActiveWindowInfo info;
    info.openFiles = registry_.ListCount();
    windows::ChildWindow* child = VentanaActiva();
    if (child == nullptr) return info;
    const std::shared_ptr<cCartulo> file = child->Cartulo();
    info.hasFile = file != nullptr;
    info.isCard = child->Kind() == windows::ChildKind::Ficha;
    if (info.isCard && file) {
        const std::optional<CardId> card = FichaDe(*child);
        info.isMainCard = card && *card == file->GetMain();
    }
    if (withEditing) {
        AskEditingFacts(child, info);
        info.clipboardText = clipboardHoldsText();
    }
    return info;
}

void frmMain::refrescarMenu(Menu menu) {
    menus_->Apply(menu, infoVentanaActiva(menu == Menu::Edicion));
}

bool frmMain::EjecutarSiHabilitado(MenuItem item) {
    refrescarMenu(InfoOf(item).menu);
    QAction* action = menus_->Action(item);
    if (!action->isEnabled() || !action->isVisible()) return false;
    // The same way as a click on the item.
    action->trigger();
    return true;
}

QVariant frmMain::comandoHija(const QString& word, const windows::Argumentos& args) {
    windows::ChildWindow* child = VentanaActiva();
    return child != nullptr ? child->Comando(word, args) : QVariant();
}

void frmMain::ejecutarItem(MenuItem item) {
    windows::ChildWindow* child = VentanaActiva();
    const std::shared_ptr<cCartulo> file = child != nullptr ? child->Cartulo() : nullptr;
    const auto insert = [this](const QString& text) {
        comandoHija(QStringLiteral("Insertar"), windows::Argumentos(text));
    };
    switch (item) {
        case MenuItem::ArchivoNuevo:
            files_->NuevoConPregunta();
            break;
        case MenuItem::ArchivoAbrir:
            files_->AbrirConDialogo();
            break;
        case MenuItem::ArchivoGuardarComo:
            if (file) files_->GuardarComo(*file);
            break;
        case MenuItem::ArchivoGuardarTodo:
            files_->GuardarTodoMenu();
            break;
        case MenuItem::ArchivoCerrar:
            if (file) files_->Cerrar(file);
            break;
        case MenuItem::ArchivoInformacion:
            if (file) propiedades(file);
            break;
        case MenuItem::ArchivoCompararCartulos:
            compararCartulos();
            break;
        case MenuItem::ArchivoOpciones:
            opciones();
            break;
        case MenuItem::ArchivoEjecutarComando:
            ejecutarComandoEscrito();
            break;
        case MenuItem::ArchivoSalir:
            close();
            break;

        case MenuItem::EdicionDeshacer:
            comandoHija(QStringLiteral("Deshacer"));
            break;
        case MenuItem::EdicionCortar:
            comandoHija(QStringLiteral("Cortar"));
            break;
        case MenuItem::EdicionCopiar:
            comandoHija(QStringLiteral("Copiar"));
            break;
        case MenuItem::EdicionPegar:
            comandoHija(QStringLiteral("Pegar"));
            break;
        case MenuItem::EdicionEliminar:
            comandoHija(QStringLiteral("Eliminar"));
            break;
        case MenuItem::EdicionCortarLinea:
            comandoHija(QStringLiteral("CortarLinea"));
            break;
        case MenuItem::EdicionBuscarTexto:
            comandoHija(QStringLiteral("BuscarTexto"));
            break;
        case MenuItem::EdicionSeleccionarTodo:
            comandoHija(QStringLiteral("SeleccionarTodo"));
            break;
        case MenuItem::EdicionIdentar:
            comandoHija(QStringLiteral("Identar"));
            break;
        case MenuItem::EdicionDesidentar:
            comandoHija(QStringLiteral("Desidentar"));
            break;
        case MenuItem::EdicionInsertarFechaHora: {
            const QLocale locale;
            insert(locale.toString(QDate::currentDate(), QLocale::ShortFormat) + u' ' +
                   locale.toString(QTime::currentTime(), QLocale::ShortFormat));
            break;
        }
        case MenuItem::EdicionInsertarAbre:
            insert(QStringLiteral("«"));
            break;
        case MenuItem::EdicionInsertarCierra:
            insert(QStringLiteral("»"));
            break;
        case MenuItem::EdicionMostrarPortapapeles:
            mostrarPortapapeles();
            break;

        case MenuItem::FichaNueva:
            nuevaFicha();
            break;
        case MenuItem::FichaNuevaHermana:
            nuevaHermana();
            break;
        case MenuItem::FichaBorrar:
            borrarFicha();
            break;
        case MenuItem::FichaEntrada:
            if (child != nullptr) EditarEntrada(*child);
            break;
        case MenuItem::FichaHipertexto:
            comandoHija(QStringLiteral("Hipertexto"));
            break;
        case MenuItem::FichaEnlaces:
            comandoHija(QStringLiteral("Enlaces"));
            break;

        case MenuItem::CartuloPrincipal:
            if (file) MuestraFichaPrincipal(file);
            break;
        case MenuItem::CartuloMaestra:
            if (file) MuestraFichaMaestra(file);
            break;
        case MenuItem::CartuloIndice:
            if (file) MuestraIndice(file);
            break;
        case MenuItem::CartuloBuscar:
            buscar(QString());
            break;
        case MenuItem::CartuloBuscarGlobal:
            // The typed text of the search field, or else its focus.
            Comando(QStringLiteral("BuscarGlobal"));
            break;
        case MenuItem::CartuloExportarSitio:
            if (file) exportarSitio(*file);
            break;

        case MenuItem::VentanaListaVentanas:
            listaVentanas();
            break;
        case MenuItem::VentanaCerrar:
            cerrarVentanaActiva();
            break;
        case MenuItem::VentanaCerrarFichas:
            cerrarFichas();
            break;
        case MenuItem::VentanaOrdenar:
            ordenar();
            break;
        case MenuItem::Ventana800x600:
            ponerTamano(800, 600);
            break;
        case MenuItem::Ventana1024x600:
            ponerTamano(1024, 600);
            break;
        case MenuItem::Ventana1024x768:
            ponerTamano(1024, 768);
            break;
        case MenuItem::VentanaPantallaCompleta:
            alternarPantallaCompleta();
            break;
        case MenuItem::VentanaVistaPrevia:
            abrirVistaPrevia();
            break;
        case MenuItem::VentanaListaCartulos:
            MuestraListaCartulos();
            break;

        case MenuItem::AyudaAcercaDe:
            acercaDe();
            break;
    }
}

// --- Ficha ---

void frmMain::nuevaFicha() {
    windows::ChildWindow* child = VentanaActiva();
    const std::shared_ptr<cCartulo> file = child != nullptr ? child->Cartulo() : nullptr;
    if (!file) return;
    std::string hint;
    if (child->Kind() == windows::ChildKind::Ficha) {
        auto selected =
            platform::fromQString(child->Comando(QStringLiteral("ObtenerHipertexto")).toString());
        // A text the file cannot hold as it is makes no entry.
        if (selected.unstorable.empty()) hint = std::move(selected.text);
    }
    const CardId id = file->NewCard(EntradaNuevaFicha(*file, hint));
    if (id < 0) {
        dialogs_->ShowMessage(MensajeFichaNoCreada(NuevaClase::Ficha, id));
        return;
    }
    MuestraFicha(file, id);
    if (const Hija* shown = fichaAbierta(*file, id)) EditarEntrada(*shown->child);
}

void frmMain::nuevaHermana() {
    windows::ChildWindow* child = VentanaActiva();
    const std::shared_ptr<cCartulo> file = child != nullptr ? child->Cartulo() : nullptr;
    const std::optional<CardId> source = child != nullptr ? FichaDe(*child) : std::nullopt;
    if (!file || !source) return;
    const CardId id = file->NewAlias(*source, EntradaNuevaHermana(*file, file->GetNtry(*source)));
    if (id < 0) {
        dialogs_->ShowMessage(MensajeFichaNoCreada(NuevaClase::Hermana, id));
        return;
    }
    MuestraFicha(file, id);
    if (const Hija* shown = fichaAbierta(*file, id)) EditarEntrada(*shown->child);
}

void frmMain::borrarFicha() {
    windows::ChildWindow* child = VentanaActiva();
    const std::shared_ptr<cCartulo> file = child != nullptr ? child->Cartulo() : nullptr;
    const std::optional<CardId> card = child != nullptr ? FichaDe(*child) : std::nullopt;
    if (!file || !card) return;
    // Deleting it would be refused after its window had closed.
    if (*card == file->GetMain()) {
        dialogs_->ShowMessage(MensajeFichaPrincipalNoSeBorra());
        return;
    }
    const QString entry = platform::toQString(file->GetNtry(*card));
    if (dialogs_->ShowMessage(PreguntaBorrarFicha(entry)) != support::MsgResult::Yes) return;
    if (const Hija* open = fichaAbierta(*file, *card); open != nullptr && open->sub) {
        open->sub->close();
    }
    file->DelCard(*card);
}

// --- Ventana ---

void frmMain::listaVentanas() {
    std::vector<QWidget*> windows;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (hijaDe(sub) != nullptr) windows.push_back(sub);
    }
    frmListaVentanas list(windows, mdiArea_->currentSubWindow(), scale_, this);
    // The very window chosen, found again: it may have closed meanwhile.
    if (const Hija* chosen = hijaDe(qobject_cast<QMdiSubWindow*>(list.Mostrar()))) {
        activarHija(*chosen);
    }
}

void frmMain::cerrarVentanaActiva() {
    if (QMdiSubWindow* sub = mdiArea_->currentSubWindow()) sub->close();
}

void frmMain::cerrarFichas() {
    std::vector<QPointer<QMdiSubWindow>> cards;
    for (const Hija& hija : hijas_) {
        if (hija.kind == windows::ChildKind::Ficha) cards.push_back(hija.sub);
    }
    for (const QPointer<QMdiSubWindow>& sub : cards) {
        if (sub) sub->close();
    }
}

void frmMain::ordenar() {
    // The preview first: the docked windows stand at its left.
    colocarVistaPrevia();
    for (windows::ChildWindow* child : Ventanas()) child->Colocar();
}

void frmMain::ponerTamano(int width, int height) {
    if (fullScreen_) alternarPantallaCompleta();
    showNormal();
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(QSize(width, height) - frame);
}

void frmMain::alternarPantallaCompleta() {
    if (!fullScreen_) {
        fullScreen_ = EstadoPantallaCompleta{windowState(), tlbBarra_->isVisible()};
        tlbBarra_->hide();
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowFullScreen);
    } else {
        const EstadoPantallaCompleta before = *fullScreen_;
        fullScreen_.reset();
        setWindowState(before.state);
        tlbBarra_->setVisible(before.toolbarVisible);
    }
    menus_->Action(MenuItem::VentanaPantallaCompleta)->setChecked(fullScreen_.has_value());
}

// --- Archivo and Ayuda ---

void frmMain::ejecutarComandoEscrito() {
    support::InputRequest request;
    request.prompt = QStringLiteral("Introduzca el comando.");
    // The program's name, not the caption: that may carry a notice.
    request.title = QString::fromUtf8(kProgramTitle);
    request.defaultText = lastTypedCommand_;
    const std::optional<QString> answer = dialogs_->AskText(request);
    if (!answer || answer->isEmpty()) return;
    lastTypedCommand_ = *answer;
    if (const std::optional<TypedCommand> typed = ParseTypedCommand(*answer)) {
        Comando(typed->word,
                typed->argument ? windows::Argumentos(*typed->argument) : windows::Argumentos());
    }
}

void frmMain::opciones() {
    if (settings_ == nullptr) return;
    support::frmOpciones window(*settings_, *dialogs_, scale_, this, dictionaryFolder_);
    window.exec();
    if (ortografia_) {
        ortografia_->Configurar(settings_->SpellCheck(),
                                QString::fromStdString(settings_->Dictionary()));
    }
    // Colouring follows the option at once in the open card windows.
    for (const Hija& hija : hijas_) {
        if (auto* ficha = dynamic_cast<windows::frmFicha*>(hija.child)) {
            ficha->Resaltado()->SetActivo(ColorearMarcas());
        }
    }
}

void frmMain::propiedades(std::shared_ptr<cCartulo> file) {
    windows::frmInfo window(registry_, scale_, this);
    window.Mostrar(std::move(file));
}

void frmMain::compararCartulos() {
    if (comparacion_) {
        comparacion_->raise();
        comparacion_->activateWindow();
        return;
    }
    windows::ChildWindow* child = VentanaActiva();
    comparacion_ = new windows::frmCompararCartulos(
        registry_, *this, child != nullptr ? child->Cartulo() : nullptr, this);
    comparacion_->setWindowFlag(Qt::Window);
    comparacion_->setAttribute(Qt::WA_DeleteOnClose);
    comparacion_->show();
}

void frmMain::mostrarPortapapeles() {
    // One viewer: the item brings the open one forward.
    for (const Hija& hija : hijas_) {
        if (hija.sub && dynamic_cast<windows::frmPortapapeles*>(hija.child) != nullptr) {
            activarHija(hija);
            return;
        }
    }
    AnadeVentana(*new windows::frmPortapapeles(*this));
}

void frmMain::acercaDe() {
    dialogs_->ShowMessage(AcercaDe(version_));
}

}  // namespace cartulo::shell
