// Fonts as Qt resolves them, and the texts measured and shaped in each,
// kept across Qt surfaces: a paint event makes a new surface every time,
// and shaping a word again is most of what measuring or painting it costs.
// Used by the Qt surfaces, on the GUI thread as all painting is.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QStaticText>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/surface.h"

namespace cartulo::platform {

class QtFontCache {
  public:
    // A text in one font: its advance in device pixels, and its shaped form
    // once it has been painted.
    struct Text {
        double width = 0;
        std::optional<QStaticText> shaped;
    };

    struct TransparentHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    using TextMap = std::unordered_map<std::string, Text, TransparentHash, std::equal_to<>>;

    // A font on devices of one kind and resolution, with the metrics every
    // line asks for (`em`: its size in device pixels).
    struct Font {
        QFont font;
        QFontMetricsF metrics;
        TextMetrics textMetrics;
        double lineSpacing = 0;
        TextMap texts;

        Font(const QFont& f, const QFontMetricsF& m, double em);
    };

    // Fonts and texts kept before the cache starts afresh, and the longest
    // text kept.
    static constexpr std::size_t kMaxFonts = 256;
    static constexpr std::size_t kMaxTexts = 16384;
    static constexpr std::size_t kMaxTextBytes = 256;

    // The cache of this application; emptied when the application ends.
    static QtFontCache& Instance();

    // A font stays where it is until the generation changes, which it does
    // whenever a cache starts afresh or ends.
    static std::uint64_t Generation();
    Font* FindFont(std::string_view key);
    Font& AddFont(std::string key, const QFont& font, const QFontMetricsF& metrics, double em);

    // A text's entry stays where it is until the next AddText.
    static Text* FindText(Font& font, std::string_view text);
    // Adds a text no longer than kMaxTextBytes, not yet in `font`.
    Text& AddText(Font& font, std::string_view text, double width);
    std::size_t TextCount() const { return textCount_; }

    // The shaped form of `display` in `font`, as the painter draws it.
    static QStaticText Shape(const QFont& font, const QString& display);

  private:
    std::unordered_map<std::string, Font, TransparentHash, std::equal_to<>> fonts_;
    std::size_t textCount_ = 0;
};

}  // namespace cartulo::platform
