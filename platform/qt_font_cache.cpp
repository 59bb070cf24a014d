#include "platform/qt_font_cache.h"

#include <QCoreApplication>
#include <QTransform>
#include <algorithm>
#include <memory>

namespace cartulo::platform {

namespace {

std::unique_ptr<QtFontCache>& instanceSlot() {
    static std::unique_ptr<QtFontCache> instance;
    return instance;
}

// Counts on across caches, so that a surface never takes a new cache's
// fonts for those it held.
std::uint64_t generation = 1;

// Qt's fonts must go before the application does.
void dropInstance() {
    instanceSlot().reset();
    ++generation;
}

}  // namespace

QtFontCache::Font::Font(const QFont& f, const QFontMetricsF& m, double em)
    : font(f), metrics(m), lineSpacing(m.lineSpacing()) {
    textMetrics.ascent = m.ascent();
    textMetrics.descent = m.descent();
    textMetrics.height = textMetrics.ascent + textMetrics.descent;
    textMetrics.internalLeading = std::max(0.0, textMetrics.height - em);
    textMetrics.externalLeading = std::max(0.0, m.leading());
}

QtFontCache& QtFontCache::Instance() {
    auto& slot = instanceSlot();
    if (!slot) {
        slot = std::make_unique<QtFontCache>();
        qAddPostRoutine(dropInstance);
    }
    return *slot;
}

std::uint64_t QtFontCache::Generation() {
    return generation;
}

QtFontCache::Font* QtFontCache::FindFont(std::string_view key) {
    const auto it = fonts_.find(key);
    return it == fonts_.end() ? nullptr : &it->second;
}

QtFontCache::Font& QtFontCache::AddFont(std::string key, const QFont& font,
                                        const QFontMetricsF& metrics, double em) {
    if (fonts_.size() >= kMaxFonts) {
        // Start afresh rather than track ages.
        fonts_.clear();
        textCount_ = 0;
        ++generation;
    }
    return fonts_.try_emplace(std::move(key), font, metrics, em).first->second;
}

QtFontCache::Text* QtFontCache::FindText(Font& font, std::string_view text) {
    const auto it = font.texts.find(text);
    return it == font.texts.end() ? nullptr : &it->second;
}

QtFontCache::Text& QtFontCache::AddText(Font& font, std::string_view text, double width) {
    if (textCount_ >= kMaxTexts) {
        // The fonts stay, so the surfaces' hold on them does too.
        for (auto& entry : fonts_) entry.second.texts.clear();
        textCount_ = 0;
    }
    ++textCount_;
    Text& added = font.texts.try_emplace(std::string(text)).first->second;
    added.width = width;
    return added;
}

QStaticText QtFontCache::Shape(const QFont& font, const QString& display) {
    QStaticText shaped(display);
    shaped.setTextFormat(Qt::PlainText);
    shaped.setPerformanceHint(QStaticText::AggressiveCaching);
    shaped.prepare(QTransform(), font);
    return shaped;
}

}  // namespace cartulo::platform
