// frmBusquedaGlobal: one query run over every open card file, the hits
// grouped by file in a transient pop-up list. Choosing a hit opens its card
// with the searched text highlighted ("BuscarTextoSilencio") and the pop-up
// goes away; so does it when it loses the focus, and on Escape. It is a
// window of its own, so the keys it does not use are handed to the main
// window's shortcuts through `atajos`.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QWidget>
#include <functional>

#include "engine/cartulos.h"
#include "windows/global_hit_list.h"
#include "windows/main_services.h"

namespace cartulo::windows {

class frmBusquedaGlobal : public QWidget {
    Q_OBJECT

  public:
    using Atajos = std::function<bool(int key, Qt::KeyboardModifiers modifiers)>;

    frmBusquedaGlobal(MainServices& services, cCartulos& registry, Atajos atajos,
                      QWidget* parent = nullptr);
    ~frmBusquedaGlobal() override;

    // Stores the query, shows the pop-up and runs the search.
    void Mostrar(const QString& query);
    // Runs the query over every open file in registry order. Events run
    // between files; it stops when the pop-up closes meanwhile.
    void Buscar();
    // Opens the selected hit when its file and card still exist.
    void Abrir();
    // Hides the pop-up and deletes it later, never inside its own handler.
    void Cerrar();
    bool Cerrada() const { return closed_; }

    const QString& Consulta() const { return query_; }
    GlobalHitList* lstRes() const { return lstRes_; }
    // A row as "kind,key,text": "1,<file id>,<title>", "2,<file id>:<card>,<entry>".
    QString Fila(int row) const;

  protected:
    bool event(QEvent* event) override;

  private:
    // The pop-up lost the focus or stopped being the active window.
    void Desactivada();

    MainServices& services_;
    cCartulos& registry_;
    Atajos atajos_;
    QString query_;
    QElapsedTimer cronometro_;
    GlobalHitList* lstRes_ = nullptr;
    bool closed_ = false;
    bool searching_ = false;
    bool leftWhileSearching_ = false;
};

}  // namespace cartulo::windows
