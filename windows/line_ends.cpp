#include "windows/line_ends.h"

#include <algorithm>

namespace cartulo::windows {

QString ConCrLf(QStringView lf) {
    QString out;
    out.reserve(lf.size() + lf.count(u'\n'));
    qsizetype from = 0;
    while (true) {
        const qsizetype at = lf.indexOf(u'\n', from);
        if (at < 0) break;
        out += lf.mid(from, at - from);
        out += u"\r\n";
        from = at + 1;
    }
    out += lf.mid(from);
    return out;
}

QString SoloLf(QStringView crlf) {
    QString out;
    out.reserve(crlf.size());
    for (qsizetype i = 0; i < crlf.size(); ++i) {
        const QChar c = crlf[i];
        if (c != u'\r') {
            out += c;
        } else if (i + 1 >= crlf.size() || crlf[i + 1] != u'\n') {
            out += u'\n';
        }
    }
    return out;
}

qsizetype PosicionConCrLf(QStringView lf, qsizetype pos) {
    pos = std::clamp<qsizetype>(pos, 0, lf.size());
    return pos + lf.first(pos).count(u'\n');
}

qsizetype PosicionSoloLf(QStringView crlf, qsizetype pos) {
    pos = std::clamp<qsizetype>(pos, 0, crlf.size());
    qsizetype removed = 0;
    for (qsizetype i = 0; i < pos; ++i) {
        if (crlf[i] == u'\r' && i + 1 < crlf.size() && crlf[i + 1] == u'\n') ++removed;
    }
    return pos - removed;
}

qsizetype LongitudConCrLf(QStringView lf) {
    return lf.size() + lf.count(u'\n');
}

}  // namespace cartulo::windows
