#include "windows/argumentos.h"

namespace cartulo::windows {

Argumentos::Argumentos(const QVariant& single) : values_{0} {
    if (single.isNull()) return;
    // An array arrives already normalised and is used as it is.
    if (single.typeId() == QMetaType::QVariantList) {
        *this = FromArray(single.toList());
        return;
    }
    values_ = {1, single};
}

Argumentos Argumentos::FromArray(const QVariantList& array) {
    Argumentos result;
    if (array.isEmpty()) return result;
    bool ok = false;
    const int count = array.front().toInt(&ok);
    if (!ok || count < 0 || count >= array.size()) return result;
    result.values_ = array;
    return result;
}

QVariant Argumentos::At(int i) const {
    if (i < 1 || i > Count()) return {};
    return values_.at(i);
}

}  // namespace cartulo::windows
