// lstRes, the global search's owner-drawn result list: rows of kinds 0, 1
// and 2 painted on the viewport (picLista) with the vertical scroll bar
// (scrScroll). Only hit rows are selected; what the keys and clicks mean
// beyond moving the selection is the window's (callbacks).
#pragma once

#include <QAbstractScrollArea>
#include <functional>
#include <vector>

#include "windows/global_hit_rows.h"

namespace cartulo::windows {

class GlobalHitList : public QAbstractScrollArea {
  public:
    explicit GlobalHitList(QWidget* parent = nullptr);

    // Replaces every row; nothing is selected.
    void Llenar(std::vector<HitRow> rows);
    const std::vector<HitRow>& Filas() const { return rows_; }
    int Seleccionado() const { return selected_; }
    void Seleccionar(int row);
    // Rows that fit in the visible area.
    int TamanoPagina() const;
    int AltoFila() const;

    std::function<void()> onAbrir;                                    // Enter, or a click on a hit
    std::function<void()> onCerrar;                                   // Escape
    std::function<bool(int key, Qt::KeyboardModifiers)> onOtraTecla;  // true: handled
    std::function<void()> onFocoPerdido;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool focusNextPrevChild(bool) override { return false; }  // Tab stays in the list

  private:
    int sangria() const;
    void actualizarBarra();  // lstRes_UpdateScrollBar
    void mostrar(int row);   // scrolls the row into view

    std::vector<HitRow> rows_;
    int selected_ = -1;
};

}  // namespace cartulo::windows
