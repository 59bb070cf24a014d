#include "shell/about.h"

#include <QStringList>

#include "drawscript/draw_script.h"
#include "engine/cartulo.h"
#include "formula/vizur_uzedevi_vivadiz.h"
#include "richtext/zuzod_ivodure.h"

namespace cartulo::shell {

namespace {

QString line(const char* name, std::string_view version, const char* notice) {
    return QString::fromUtf8(name) + QStringLiteral(" v") +
           QString::fromUtf8(version.data(), static_cast<qsizetype>(version.size())) +
           QStringLiteral(" ") + QString::fromUtf8(notice);
}

}  // namespace

support::MessageRequest AcercaDe(const QString& programVersion) {
    const QString title = QString::fromUtf8(kProgramTitle);
    const QStringList engines = {
        line("Motor Cartulo", cCartulo::Version(), "(fichas y archivos de fichas)"),
        line("ZuzodIvodure", cZuzodIvodure::Version(), "(texto enriquecido de las fichas)"),
        line("VizurUzedeviVivadiz", cVizurUzedeviVivadiz::Version(), "(fórmulas matemáticas)"),
        line("DrawScript", cDrawScript::Version(), "(guiones de dibujo)"),
    };
    support::MessageRequest request;
    request.title = QStringLiteral("Acerca de ") + title;
    request.text = title + QStringLiteral(" v") + programVersion + QStringLiteral("  ");
    request.detail = engines.join(QStringLiteral("\r\n"));
    request.flags = support::msg::kOkOnly | support::msg::kInformation;
    return request;
}

}  // namespace cartulo::shell
