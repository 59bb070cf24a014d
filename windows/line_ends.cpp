#include "windows/line_ends.h"

#include <algorithm>
#include <iterator>

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

namespace {

// Whether the CR at `cr` is followed by its LF: one line end of two bytes.
bool crLf(std::string_view stored, std::size_t cr) {
    return cr + 1 < stored.size() && stored[cr + 1] == '\n';
}

// The position `count` editor characters before the end of `stored`.
qsizetype posicionDesdeElFinal(std::string_view stored, qsizetype count) {
    std::size_t end = stored.size();
    while (count > 0 && end > 0) {
        // Between the last CR and `end`, every byte is one character.
        const std::size_t cr = stored.rfind('\r', end - 1);
        const std::size_t after =
            cr == std::string_view::npos ? 0 : std::min(cr + (crLf(stored, cr) ? 2 : 1), end);
        const auto plain = static_cast<qsizetype>(end - after);
        if (plain >= count) return static_cast<qsizetype>(end) - count;
        count -= plain;
        if (cr == std::string_view::npos) return 0;
        end = cr;
        --count;
    }
    return static_cast<qsizetype>(end);
}

}  // namespace

qsizetype PosicionGuardada(std::string_view stored, qsizetype pos) {
    std::size_t at = 0;
    while (pos > 0 && at < stored.size()) {
        // Up to the next CR, every byte is one character.
        const std::size_t cr = stored.find('\r', at);
        const std::size_t plain = (cr == std::string_view::npos ? stored.size() : cr) - at;
        if (static_cast<std::size_t>(pos) <= plain) return static_cast<qsizetype>(at) + pos;
        pos -= static_cast<qsizetype>(plain);
        if (cr == std::string_view::npos) return static_cast<qsizetype>(stored.size());
        at = cr + (crLf(stored, cr) ? 2 : 1);
        --pos;
    }
    return static_cast<qsizetype>(at);
}

CambioGuardado CambioEnGuardado(std::string_view stored, QStringView before, QStringView after) {
    const qsizetype shorter = std::min(before.size(), after.size());
    const qsizetype prefix =
        std::mismatch(before.begin(), before.begin() + shorter, after.begin()).first -
        before.begin();
    const qsizetype suffix =
        std::mismatch(before.rbegin(), before.rbegin() + (shorter - prefix), after.rbegin()).first -
        before.rbegin();
    CambioGuardado change;
    change.from = PosicionGuardada(stored, prefix);
    change.to = std::max(posicionDesdeElFinal(stored, suffix), change.from);
    qsizetype first = prefix;
    const qsizetype last = after.size() - suffix;
    // A lone CR before and a lone LF after an emptied span would read as one
    // CR LF: the CR is written again as part of the change.
    const auto size = static_cast<qsizetype>(stored.size());
    if (first == last && change.from > 0 && stored[change.from - 1] == '\r' && change.to < size &&
        stored[change.to] == '\n') {
        --first;
        --change.from;
    }
    change.text = ConCrLf(after.mid(first, last - first));
    return change;
}

}  // namespace cartulo::windows
