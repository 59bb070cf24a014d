// What the properties window shows, as text: the statistics of one card file
// and the totals over every open file, sizes worded for a person.
#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>

#include "engine/cartulo.h"
#include "engine/cartulos.h"

namespace cartulo::windows {

struct TotalesCartulos {
    std::int32_t cartulos = 0;
    // Wider than one file's counts: five nearly full files pass 2^32 characters.
    std::int64_t fichas = 0;
    std::int64_t tamano = 0;

    void Anadir(const FileInfo& info);
};

TotalesCartulos SumarCartulos(const cCartulos& registry);

// Below 1000: "999 bytes"; then Kb., Mb. and Gb. from 1000, 1000 × 1024 and
// 1000 × 1024 × 1024 on, with two decimals and the locale's separator.
QString FormatoTamano(std::int64_t size, const QLocale& locale = QLocale());
// "1.00%": two decimals and the locale's separator.
QString FormatoCapacidad(float capacity, const QLocale& locale = QLocale());

struct PropiedadesCartulo {
    QString titulo;  // the window's caption
    // This file.
    QString archivo;
    QString ubicacion;
    QString fichas;
    QString hermanas;
    QString tamano;
    QString capacidad;
    // Every open file.
    QString cartulos;
    QString fichasTotal;
    QString tamanoTotal;
};

PropiedadesCartulo LeerPropiedades(cCartulo& file, const cCartulos& registry,
                                   const QLocale& locale = QLocale());

}  // namespace cartulo::windows
