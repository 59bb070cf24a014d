#include "windows/propiedades_cartulo.h"

#include <QFile>
#include <cmath>
#include <cstdlib>

#include "engine/paths.h"
#include "platform/text_codec.h"
#include "windows/shown_title.h"

namespace cartulo::windows {

namespace {

constexpr std::int64_t kKb = 1024;
constexpr std::int64_t kMb = kKb * 1024;
constexpr std::int64_t kGb = kMb * 1024;

// A value given in hundredths, shown as "0.00" would show it: rounded half
// away from zero, no group separator, the locale's decimal separator.
QString dosDecimales(double hundredths, const QLocale& locale) {
    const long long rounded = std::llround(hundredths);
    const long long magnitude = std::llabs(rounded);
    return (rounded < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / 100) +
           locale.decimalPoint() + QStringLiteral("%1").arg(magnitude % 100, 2, 10, QChar(u'0'));
}

QString enUnidad(std::int64_t size, std::int64_t unit, const char* name, const QLocale& locale) {
    return dosDecimales(static_cast<double>(size) * 100.0 / static_cast<double>(unit), locale) +
           QLatin1String(name);
}

QString rutaMostrada(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace

void TotalesCartulos::Anadir(const FileInfo& info) {
    ++cartulos;
    fichas += info.cards;
    tamano += info.size;
}

TotalesCartulos SumarCartulos(const cCartulos& registry) {
    TotalesCartulos totals;
    for (std::int32_t i = 0; i < registry.ListCount(); ++i) {
        if (const std::shared_ptr<cCartulo> file = registry.List(i)) {
            totals.Anadir(file->GetFileInfo());
        }
    }
    return totals;
}

QString FormatoTamano(std::int64_t size, const QLocale& locale) {
    if (size < 1000) return QString::number(size) + QStringLiteral(" bytes");
    if (size < 1000 * kKb) return enUnidad(size, kKb, " Kb.", locale);
    if (size < 1000 * kMb) return enUnidad(size, kMb, " Mb.", locale);
    return enUnidad(size, kGb, " Gb.", locale);
}

QString FormatoCapacidad(float capacity, const QLocale& locale) {
    return dosDecimales(static_cast<double>(capacity) * 100.0, locale) + u'%';
}

PropiedadesCartulo LeerPropiedades(cCartulo& file, const cCartulos& registry,
                                   const QLocale& locale) {
    PropiedadesCartulo shown;
    shown.titulo = QStringLiteral("Propiedades de ") + ShownTitle(file.GetFileTitle());

    const FileInfo info = file.GetFileInfo();
    if (info.fileName.empty()) {
        shown.archivo = QStringLiteral("<no guardado>");
    } else {
        shown.archivo = rutaMostrada(paths::FileNamePart(info.fileName));
        shown.ubicacion = rutaMostrada(paths::DirectoryPart(info.fileName));
    }
    shown.fichas = QString::number(info.cards);
    shown.hermanas = QString::number(info.sisters);
    shown.tamano = FormatoTamano(info.size, locale);
    shown.capacidad = FormatoCapacidad(info.capacity, locale);

    const TotalesCartulos totals = SumarCartulos(registry);
    shown.cartulos = QString::number(totals.cartulos);
    shown.fichasTotal = QString::number(totals.fichas);
    shown.tamanoTotal = FormatoTamano(totals.tamano, locale);
    return shown;
}

}  // namespace cartulo::windows
