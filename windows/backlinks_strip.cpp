#include "windows/backlinks_strip.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "platform/text_codec.h"
#include "windows/index_search.h"

namespace cartulo::windows {

std::vector<EnlaceEntrante> EnlacesEntrantes(const LinkTable& links, const cCartulo& file,
                                             CardId card) {
    struct Keyed {
        bool main;
        ClaveIndice key;
        EnlaceEntrante link;
    };
    std::vector<Keyed> keyed;
    const CardId main = file.GetMain();
    for (const CardId from : links.LinksTo(card)) {
        std::string entry = file.GetNtry(from);
        const bool isMain = from == main;
        if (isMain) entry = kMainCardName;
        keyed.push_back({isMain, ClaveOrden(entry), {from, std::move(entry)}});
    }
    // The index's order: the main card first, then by key, then by the entry's bytes.
    std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        if (a.main != b.main) return a.main;
        if (a.key != b.key) return a.key < b.key;
        if (a.link.entry != b.link.entry) return a.link.entry < b.link.entry;
        return a.link.card < b.link.card;
    });
    // Each card once, however the table gave it.
    keyed.erase(
        std::unique(keyed.begin(), keyed.end(),
                    [](const Keyed& a, const Keyed& b) { return a.link.card == b.link.card; }),
        keyed.end());
    std::vector<EnlaceEntrante> result;
    result.reserve(keyed.size());
    for (Keyed& k : keyed) result.push_back(std::move(k.link));
    return result;
}

BacklinksStrip::BacklinksStrip(std::shared_ptr<LinkTable> links, const cCartulo& file, CardId card,
                               std::function<void(CardId)> open, QWidget* parent)
    : QWidget(parent), links_(std::move(links)), file_(file), card_(card), open_(std::move(open)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 2, 4, 2);
    column->setSpacing(2);
    lblEnlaces_ = new QLabel(this);
    lblEnlaces_->setTextFormat(Qt::PlainText);
    column->addWidget(lblEnlaces_);
    lstEnlaces_ = new QListWidget(this);
    lstEnlaces_->installEventFilter(this);
    column->addWidget(lstEnlaces_, 1);
    connect(lstEnlaces_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { abrir(lstEnlaces_->row(item)); });
    if (links_) subscription_ = links_->Subscribe(*this);
    lblEnlaces_->setText(QStringLiteral("Enlaces a esta ficha (0)"));
}

BacklinksStrip::~BacklinksStrip() = default;

void BacklinksStrip::Soltar() {
    subscription_.reset();
    links_.reset();
}

void BacklinksStrip::Actualizar() {
    // A hidden strip costs nothing: it reads the table when it shows.
    if (isHidden()) {
        stale_ = true;
        return;
    }
    stale_ = false;
    // Most changes of the table leave this card's links as they were.
    std::vector<CardId> ids = links_ ? links_->LinksTo(card_) : std::vector<CardId>{};
    std::vector<std::string> entries;
    entries.reserve(ids.size());
    for (const CardId from : ids) entries.push_back(file_.GetNtry(from));
    if (ids == readIds_ && entries == readEntries_ && file_.GetMain() == readMain_) return;
    readIds_ = std::move(ids);
    readEntries_ = std::move(entries);
    readMain_ = file_.GetMain();
    std::vector<EnlaceEntrante> now;
    if (links_) now = EnlacesEntrantes(*links_, file_, card_);
    if (now == shown_) return;
    // The entry chosen stays chosen where it is still listed.
    const int row = lstEnlaces_->currentRow();
    const CardId chosen =
        row >= 0 && row < static_cast<int>(shown_.size()) ? shown_[row].card : kNoCard;
    shown_ = std::move(now);
    lstEnlaces_->clear();
    for (const EnlaceEntrante& link : shown_) {
        lstEnlaces_->addItem(platform::toQString(link.entry));
        if (link.card == chosen) lstEnlaces_->setCurrentRow(lstEnlaces_->count() - 1);
    }
    lblEnlaces_->setText(QStringLiteral("Enlaces a esta ficha (%1)").arg(shown_.size()));
}

void BacklinksStrip::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stale_) Actualizar();
}

void BacklinksStrip::abrir(int row) {
    if (row < 0 || row >= static_cast<int>(shown_.size()) || !open_) return;
    open_(shown_[static_cast<std::size_t>(row)].card);
}

bool BacklinksStrip::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstEnlaces_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<const QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            abrir(lstEnlaces_->currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace cartulo::windows
