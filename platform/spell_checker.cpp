#include "platform/spell_checker.h"

#include <hunspell.hxx>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace cartulo::platform {

namespace {

// A personal list is a few thousand words; a larger file is not one.
constexpr qint64 kMaxPersonalListBytes = 4 * 1024 * 1024;

// Hunspell names a few encodings its own way ("microsoft-cp1251",
// "TIS620-2533"); iconv knows the others by Hunspell's names ("ISO8859-16").
std::optional<CharsetConverter> openEncoding(const QString& hunspellName) {
    const QString name = hunspellName.trimmed();
    if (auto converter = CharsetConverter::Open(name.toStdString())) return converter;
    if (name.startsWith(QStringLiteral("microsoft-cp"), Qt::CaseInsensitive)) {
        return CharsetConverter::Open("CP" + name.mid(12).toStdString());
    }
    if (name.compare(QStringLiteral("TIS620-2533"), Qt::CaseInsensitive) == 0) {
        return CharsetConverter::Open("TIS-620");
    }
    return std::nullopt;
}

// A personal list saved by a Windows editor may begin with a byte order mark.
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

SpellChecker::Loaded SpellChecker::Load(const QString& folder, const QString& name,
                                        const QString& personalList) {
    Loaded out;
    const QDir dir(folder);
    const QString aff = dir.filePath(name + QStringLiteral(".aff"));
    const QString dic = dir.filePath(name + QStringLiteral(".dic"));
    if (name.isEmpty() || !QFileInfo(aff).isFile() || !QFileInfo(dic).isFile()) {
        out.problem = QStringLiteral("No hay ningún diccionario instalado en %1.").arg(folder);
        return out;
    }
    auto hunspell = std::make_unique<Hunspell>(QFile::encodeName(aff).constData(),
                                               QFile::encodeName(dic).constData());
    const QString encoding = QString::fromLatin1(hunspell->get_dic_encoding());
    std::optional<CharsetConverter> converter = openEncoding(encoding);
    if (!converter) {
        out.problem = QStringLiteral("El diccionario %1 usa una codificación desconocida (%2).")
                          .arg(name, encoding);
        return out;
    }
    std::unique_ptr<SpellChecker> checker(
        new SpellChecker(std::move(hunspell), name, personalList, std::move(*converter)));
    checker->readPersonalList();
    out.checker = std::move(checker);
    return out;
}

SpellChecker::SpellChecker(std::unique_ptr<Hunspell> hunspell, QString name, QString personalList,
                           CharsetConverter converter)
    : hunspell_(std::move(hunspell)),
      name_(std::move(name)),
      personalList_(std::move(personalList)),
      converter_(std::move(converter)) {}

SpellChecker::~SpellChecker() = default;

std::optional<std::string> SpellChecker::encode(const QString& word) {
    std::optional<std::string> bytes = converter_.Encode(word);
    if (bytes && bytes->empty()) return std::nullopt;
    return bytes;
}

bool SpellChecker::Correct(const QString& word) {
    const std::optional<std::string> encoded = encode(word);
    return !encoded || hunspell_->spell(*encoded);
}

QStringList SpellChecker::Suggestions(const QString& word) {
    QStringList out;
    const std::optional<std::string> encoded = encode(word);
    if (!encoded) return out;
    for (const std::string& suggestion : hunspell_->suggest(*encoded)) {
        const std::optional<QString> decoded = converter_.Decode(suggestion);
        if (decoded && !decoded->isEmpty()) out << *decoded;
    }
    return out;
}

void SpellChecker::readPersonalList() {
    QFile file(personalList_);
    if (personalList_.isEmpty() || !QFileInfo(file).isFile() ||
        file.size() > kMaxPersonalListBytes || !file.open(QIODevice::ReadOnly)) {
        return;
    }
    QByteArray bytes = file.read(kMaxPersonalListBytes);
    if (bytes.startsWith(kUtf8Bom.data())) bytes.remove(0, kUtf8Bom.size());
    const QString text = QString::fromUtf8(bytes);
    for (QStringView line : QStringView(text).split(u'\n')) {
        const QString word = line.trimmed().toString();
        if (word.isEmpty()) continue;
        if (const auto encoded = encode(word)) hunspell_->add(*encoded);
    }
}

bool SpellChecker::Add(const QString& word) {
    const QString trimmed = word.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(u'\n') || trimmed.contains(u'\r')) return false;
    if (const auto encoded = encode(trimmed)) hunspell_->add(*encoded);
    if (personalList_.isEmpty()) return false;
    // The whole list is written anew, so a failed write leaves the old one.
    QByteArray bytes;
    QFile old(personalList_);
    if (QFileInfo(old).isFile()) {
        if (old.size() > kMaxPersonalListBytes || !old.open(QIODevice::ReadOnly)) return false;
        bytes = old.readAll();
        if (!bytes.isEmpty() && !bytes.endsWith('\n')) bytes += '\n';
    }
    bytes += trimmed.toUtf8() + '\n';
    QDir().mkpath(QFileInfo(personalList_).absolutePath());
    QSaveFile file(personalList_);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(bytes);
    return file.commit();
}

}  // namespace cartulo::platform
