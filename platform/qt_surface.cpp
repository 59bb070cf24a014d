#include "platform/qt_surface.h"

#include <QColor>
#include <QCursor>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygonF>
#include <QPrinter>
#include <QWidget>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "platform/qt_picture.h"
#include "platform/symbol_font.h"
#include "platform/text_codec.h"

namespace cartulo::platform {

namespace {

constexpr double kTwipsPerInch = 1440;
constexpr int kMaxDrawWidth = 32767;

QColor toQColor(Color c) {
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The free fonts with the metrics of the names cards use, named outright so
// that the result does not hang on how fontconfig is configured.
const char* metricTwin(std::string_view name) {
    struct Twin {
        const char* name;
        const char* twin;
    };
    static constexpr Twin kTwins[] = {
        {"Arial", "Liberation Sans"},
        {"Helvetica", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
        {"Times", "Liberation Serif"},
        {"Courier New", "Liberation Mono"},
        {"Tahoma", "DejaVu Sans"},
        {"Verdana", "DejaVu Sans"},
        {"Symbol", "DejaVu Sans"},
    };
    for (const Twin& t : kTwins) {
        if (equalsIgnoringCase(name, t.name)) return t.twin;
    }
    return nullptr;
}

// Device coordinates are kept within a range Qt's rasteriser handles;
// anything beyond lies far outside every page and every screen anyway.
constexpr double kMaxCoordinate = 1 << 22;

bool finite(double a, double b) {
    return std::isfinite(a) && std::isfinite(b);
}

bool sameFont(const FontState& a, const FontState& b) {
    return a.size == b.size && a.bold == b.bold && a.italic == b.italic &&
           a.underline == b.underline && a.strikethrough == b.strikethrough &&
           a.charset == b.charset && a.name == b.name;
}

double clampCoordinate(double v) {
    return std::clamp(v, -kMaxCoordinate, kMaxCoordinate);
}

QPointF devicePoint(double x, double y) {
    return QPointF(clampCoordinate(x), clampCoordinate(y));
}

double twipsPerPixel(int dpi) {
    return dpi > 0 ? kTwipsPerInch / dpi : 15;
}

}  // namespace

QtSurface::QtSurface(QPaintDevice& device, ScaleMode mode) : device_(&device) {
    init(mode);
}

QtSurface::QtSurface(QPainter& painter, ScaleMode mode)
    : device_(painter.device()), borrowed_(&painter) {
    if (painter.isActive()) {
        borrowed_->save();
        borrowed_->setRenderHint(QPainter::Antialiasing, false);
        borrowed_->setRenderHint(QPainter::TextAntialiasing, true);
    } else {
        // Nothing to paint on; measure as on a plain screen image.
        fallback_ = std::make_unique<QImage>(1, 1, QImage::Format_RGB32);
        device_ = fallback_.get();
        borrowed_ = nullptr;
        dropInk_ = true;
    }
    init(mode);
}

QtSurface::~QtSurface() {
    End();
    if (borrowed_ && borrowed_->isActive()) borrowed_->restore();
}

void QtSurface::init(ScaleMode mode) {
    printer_ = device_->devType() == QInternal::Printer;
    tppX_ = twipsPerPixel(device_->logicalDpiX());
    tppY_ = twipsPerPixel(device_->logicalDpiY());
    mode_ = mode;
    // Fonts measure alike on devices of one kind and resolution.
    const int device[] = {printer_ ? 1 : 0, device_->logicalDpiX(), device_->logicalDpiY()};
    fontKey_.assign(reinterpret_cast<const char*>(device), sizeof device);
    deviceKeyLength_ = fontKey_.size();
}

void QtSurface::End() {
    if (ownPainter_) {
        if (ownPainter_->isActive()) ownPainter_->end();
        ownPainter_.reset();
    }
}

QPainter* QtSurface::painter() {
    if (dropInk_) return nullptr;
    if (borrowed_) return borrowed_->isActive() ? borrowed_ : nullptr;
    if (!ownPainter_) {
        // A widget takes ink only in its paint event; elsewhere the ink is
        // dropped (and Qt is not asked, which would only complain).
        if (device_->devType() == QInternal::Widget &&
            !static_cast<QWidget*>(device_)->testAttribute(Qt::WA_WState_InPaintEvent)) {
            return nullptr;
        }
        if (device_->devType() == QInternal::Image && static_cast<QImage*>(device_)->isNull()) {
            return nullptr;
        }
        ownPainter_ = std::make_unique<QPainter>();
        // A device that cannot be painted on anyway leaves the painter
        // inactive, and the ink is dropped too.
        if (ownPainter_->begin(device_)) {
            ownPainter_->setRenderHint(QPainter::Antialiasing, false);
            ownPainter_->setRenderHint(QPainter::TextAntialiasing, true);
        }
        painterFont_ = nullptr;
        painterPen_.reset();
    }
    return ownPainter_->isActive() ? ownPainter_.get() : nullptr;
}

bool QtSurface::NewPage() {
    if (!printer_) return false;
    painter();  // a job starts with the painter
    return static_cast<QPrinter*>(device_)->newPage();
}

// --- scale ---

double QtSurface::unitsPerPixelX() const {
    switch (mode_) {
        case ScaleMode::Twips:
            return tppX_;
        case ScaleMode::Points:
            return tppX_ / 20;
        case ScaleMode::Pixels:
        case ScaleMode::User:
            break;
    }
    return 1;
}

double QtSurface::unitsPerPixelY() const {
    switch (mode_) {
        case ScaleMode::Twips:
            return tppY_;
        case ScaleMode::Points:
            return tppY_ / 20;
        case ScaleMode::Pixels:
        case ScaleMode::User:
            break;
    }
    return 1;
}

void QtSurface::SetScaleMode(ScaleMode mode) {
    // The pen stays where it is on the device; only its units change.
    const double fromX = unitsPerPixelX(), fromY = unitsPerPixelY();
    mode_ = mode;
    x_ = x_ / fromX * unitsPerPixelX();
    y_ = y_ / fromY * unitsPerPixelY();
}

double QtSurface::ScaleWidth() const {
    return device_->width() * unitsPerPixelX();
}

double QtSurface::ScaleHeight() const {
    return device_->height() * unitsPerPixelY();
}

// --- font ---

bool QtSurface::SetFontName(std::string_view name) {
    if (name.empty() || name.size() > kMaxFontName) return false;
    if (name.find('\0') != std::string_view::npos) return false;
    if (font_.name == name) return true;
    font_.name = std::string(name);
    fontChanged();
    return true;
}

bool QtSurface::SetFontSize(double points) {
    if (!(points > 0 && points <= kMaxFontSize)) return false;  // NaN too
    if (font_.size == points) return true;
    font_.size = points;
    fontChanged();
    return true;
}

void QtSurface::SetFontBold(bool on) {
    if (font_.bold == on) return;
    font_.bold = on;
    fontChanged();
}

void QtSurface::SetFontItalic(bool on) {
    if (font_.italic == on) return;
    font_.italic = on;
    fontChanged();
}

void QtSurface::SetFontUnderline(bool on) {
    if (font_.underline == on) return;
    font_.underline = on;
    fontChanged();
}

void QtSurface::SetFontStrikethrough(bool on) {
    if (font_.strikethrough == on) return;
    font_.strikethrough = on;
    fontChanged();
}

void QtSurface::SetFontCharset(int charset) {
    if (font_.charset == charset) return;
    font_.charset = charset;
    fontChanged();
}

void QtSurface::fontChanged() {
    fontDirty_ = true;
}

bool QtSurface::symbolText() const {
    return font_.charset == kSymbolCharset || equalsIgnoringCase(font_.name, "Symbol");
}

void QtSurface::resolveFont() const {
    const std::uint64_t generation = QtFontCache::Generation();
    if (!fontDirty_ && fontGeneration_ == generation) return;
    fontDirty_ = false;
    fontGeneration_ = generation;
    // Styled words switch fonts and back: the last few are at hand.
    for (const RecentFont& recent : recentFonts_) {
        if (recent.font && recent.generation == generation && sameFont(recent.state, font_)) {
            fontEntry_ = recent.font;
            qfont_ = fontEntry_->font;
            return;
        }
    }

    // Underline and strikethrough do not change widths, but the key is the
    // whole state, so that nothing can ever mix up.
    // The size goes in as its bytes: formatting it costs more than the rest.
    fontKey_.resize(deviceKeyLength_);
    fontKey_ += font_.name;
    fontKey_ += '\x1F';
    fontKey_.append(reinterpret_cast<const char*>(&font_.size), sizeof font_.size);
    fontKey_ += font_.bold ? 'b' : '-';
    fontKey_ += font_.italic ? 'i' : '-';
    fontKey_ += font_.underline ? 'u' : '-';
    fontKey_ += font_.strikethrough ? 's' : '-';
    fontKey_.append(reinterpret_cast<const char*>(&font_.charset), sizeof font_.charset);

    // Formulas switch fonts at every symbol, and every repaint meets the
    // fonts of the last: a font met before is taken as it was resolved then.
    QtFontCache& cache = QtFontCache::Instance();
    fontEntry_ = cache.FindFont(fontKey_);
    if (!fontEntry_) {
        QStringList families{toQString(font_.name)};
        if (const char* twin = metricTwin(font_.name)) families << QString::fromLatin1(twin);
        // Whatever the font, the Symbol codes need Greek and math glyphs.
        if (symbolText()) families << QStringLiteral("DejaVu Sans");
        QFont f;
        f.setFamilies(families);
        f.setPointSizeF(font_.size);
        f.setBold(font_.bold);
        f.setItalic(font_.italic);
        f.setUnderline(font_.underline);
        f.setStrikeOut(font_.strikethrough);
        const double em = font_.size * device_->logicalDpiY() / 72.0;
        fontEntry_ = &cache.AddFont(fontKey_, f, QFontMetricsF(f, device_), em);
        // A font added may have started the cache afresh.
        fontGeneration_ = QtFontCache::Generation();
    }
    qfont_ = fontEntry_->font;
    RecentFont& slot = recentFonts_[nextRecent_];
    nextRecent_ = (nextRecent_ + 1) % recentFonts_.size();
    slot = {font_, fontEntry_, fontGeneration_};
}

const QFont& QtSurface::QtFont() const {
    resolveFont();
    return qfont_;
}

TextMetrics QtSurface::GetTextMetrics() const {
    resolveFont();
    return fontEntry_->textMetrics;
}

// --- text ---

QString QtSurface::displayText(std::string_view text) const {
    if (!symbolText()) return toQString(text);
    QString s;
    s.reserve(static_cast<qsizetype>(text.size()));
    // Every character of the table lies in the Basic Multilingual Plane.
    for (const char c : text) {
        s.append(QChar(static_cast<char16_t>(SymbolToUnicode(static_cast<unsigned char>(c)))));
    }
    return s;
}

QtFontCache::Text* QtSurface::cachedText(std::string_view text) const {
    resolveFont();
    if (text.empty() || text.size() > kWidthCacheTextBytes) return nullptr;
    if (QtFontCache::Text* known = QtFontCache::FindText(*fontEntry_, text)) return known;
    const double width = fontEntry_->metrics.horizontalAdvance(displayText(text));
    return &QtFontCache::Instance().AddText(*fontEntry_, text, width);
}

double QtSurface::widthInPixels(std::string_view text) const {
    if (const QtFontCache::Text* known = cachedText(text)) return known->width;
    if (text.empty()) return 0;
    return fontEntry_->metrics.horizontalAdvance(displayText(text));
}

double QtSurface::TextWidth(std::string_view text) const {
    return widthInPixels(text) * unitsPerPixelX();
}

double QtSurface::TextHeight(std::string_view) const {
    resolveFont();
    return fontEntry_->lineSpacing * unitsPerPixelY();
}

void QtSurface::Print(std::string_view text) {
    QtFontCache::Text* known = cachedText(text);
    const double width = known ? known->width : widthInPixels(text);
    if (QPainter* p = painter(); p && !text.empty()) {
        const double x = toPixelsX(x_), y = toPixelsY(y_);
        if (!finite(x, y) || std::fabs(x) > kMaxCoordinate || std::fabs(y) > kMaxCoordinate) {
            x_ += width * unitsPerPixelX();
            return;
        }
        if (painterFont_ != fontEntry_ || painterGeneration_ != fontGeneration_) {
            p->setFont(qfont_);
            painterFont_ = fontEntry_;
            painterGeneration_ = fontGeneration_;
        }
        if (!transparent_) {
            p->fillRect(QRectF(x, y, width, fontEntry_->metrics.height()), toQColor(back_));
        }
        // Blanks drawn transparently with no line through or under them
        // leave no ink (justification prints them between every two words).
        const bool inkless = transparent_ && !font_.underline && !font_.strikethrough &&
                             text.find_first_not_of(' ') == std::string_view::npos;
        if (!inkless) {
            if (painterPen_ != fore_) {
                p->setPen(toQColor(fore_));
                painterPen_ = fore_;
            }
            if (known) {
                // Shaped once, when first painted; drawn alike on every surface.
                if (!known->shaped) known->shaped = QtFontCache::Shape(qfont_, displayText(text));
                p->drawStaticText(QPointF(x, y), *known->shaped);
            } else {
                p->drawStaticText(QPointF(x, y), QtFontCache::Shape(qfont_, displayText(text)));
            }
        }
    }
    x_ += width * unitsPerPixelX();
}

// --- pen and shapes ---

void QtSurface::SetDrawWidth(int pixels) {
    drawWidth_ = std::clamp(pixels, 1, kMaxDrawWidth);
}

namespace {

QPen shapePen(Color color, int width) {
    // Wide pens end round, as the pens of the platform this stands in for.
    QPen pen(toQColor(color), width, Qt::SolidLine, width > 1 ? Qt::RoundCap : Qt::SquareCap,
             Qt::RoundJoin);
    return pen;
}

}  // namespace

void QtSurface::Line(double x1, double y1, double x2, double y2, Color color) {
    QPainter* p = painter();
    if (p && finite(x1, y1) && finite(x2, y2)) {
        p->setPen(shapePen(color, drawWidth_));
        painterPen_.reset();
        p->drawLine(devicePoint(toPixelsX(x1), toPixelsY(y1)),
                    devicePoint(toPixelsX(x2), toPixelsY(y2)));
    }
    x_ = x2;
    y_ = y2;
}

void QtSurface::Rectangle(double x1, double y1, double x2, double y2, Color color, bool filled) {
    QPainter* p = painter();
    if (p && finite(x1, y1) && finite(x2, y2)) {
        const QRectF r = QRectF(devicePoint(toPixelsX(x1), toPixelsY(y1)),
                                devicePoint(toPixelsX(x2), toPixelsY(y2)))
                             .normalized();
        if (filled) {
            p->fillRect(r, toQColor(color));
        } else {
            p->setPen(shapePen(color, drawWidth_));
            painterPen_.reset();
            p->setBrush(Qt::NoBrush);
            p->drawRect(r);
        }
    }
    x_ = x2;
    y_ = y2;
}

void QtSurface::Point(double x, double y, Color color) {
    QPainter* p = painter();
    if (p && finite(x, y)) {
        QPen pen = shapePen(color, drawWidth_);
        pen.setCapStyle(Qt::RoundCap);  // a wide point is a dot
        p->setPen(pen);
        painterPen_.reset();
        p->drawPoint(devicePoint(toPixelsX(x), toPixelsY(y)));
    }
    x_ = x;
    y_ = y;
}

void QtSurface::Polygon(const std::vector<PointF>& points) {
    if (points.empty()) return;
    QPainter* p = painter();
    if (!p) return;
    QPolygonF poly;
    poly.reserve(static_cast<qsizetype>(points.size()));
    for (const PointF& pt : points) {
        if (!finite(pt.x, pt.y)) return;
        poly << devicePoint(toPixelsX(pt.x), toPixelsY(pt.y));
    }
    p->setPen(shapePen(fore_, drawWidth_));
    painterPen_.reset();
    if (fillStyle_ == FillStyle::Solid) {
        p->setBrush(toQColor(fill_));
    } else {
        p->setBrush(Qt::NoBrush);
    }
    p->drawPolygon(poly, Qt::OddEvenFill);
    p->setBrush(Qt::NoBrush);
}

void QtSurface::PaintPicture(const Picture& picture, double x, double y, double width,
                             double height) {
    const auto* qt = dynamic_cast<const QtPicture*>(&picture);
    if (!qt || qt->Image().isNull()) return;
    const double w = width / unitsPerPixelX(), h = height / unitsPerPixelY();
    const double left = toPixelsX(x), top = toPixelsY(y);
    if (!(w > 0 && h > 0 && w <= kMaxCoordinate && h <= kMaxCoordinate)) return;
    if (!finite(left, top) || std::fabs(left) > kMaxCoordinate || std::fabs(top) > kMaxCoordinate) {
        return;
    }
    if (QPainter* p = painter()) p->drawImage(QRectF(left, top, w, h), qt->Image());
}

QWidget* QtSurface::pointerTarget() const {
    if (device_->devType() == QInternal::Widget) return static_cast<QWidget*>(device_);
    return pointerWidget_.data();
}

void QtSurface::SetPointerWidget(QWidget* widget) {
    pointerWidget_ = widget;
    if (QWidget* target = pointerTarget(); target != nullptr && target == widget) {
        applyPointer(*target, pointer_);
    }
}

QWidget* QtSurface::PointerWidget() const {
    return pointerWidget_.data();
}

void QtSurface::SetPointer(PointerShape shape) {
    if (shape == pointer_) return;
    pointer_ = shape;
    if (QWidget* widget = pointerTarget()) applyPointer(*widget, shape);
}

void QtSurface::applyPointer(QWidget& widget, PointerShape shape) {
    switch (shape) {
        case PointerShape::Default:
            widget.unsetCursor();
            break;
        case PointerShape::Hand:
            widget.setCursor(Qt::PointingHandCursor);
            break;
        case PointerShape::Arrow:
            widget.setCursor(Qt::ArrowCursor);
            break;
        case PointerShape::IBeam:
            widget.setCursor(Qt::IBeamCursor);
            break;
        case PointerShape::UpArrow:
            widget.setCursor(Qt::UpArrowCursor);
            break;
    }
}

void QtSurface::Refresh(double x1, double y1, double x2, double y2) {
    End();
    if (!refresh_) return;
    const double left = toPixelsX(std::min(x1, x2)), right = toPixelsX(std::max(x1, x2));
    const double top = toPixelsY(std::min(y1, y2)), bottom = toPixelsY(std::max(y1, y2));
    if (!finite(left, top) || !finite(right, bottom)) return;
    // Every pixel the rectangle touches, its last row and column included.
    const QRect pixels(QPoint(static_cast<int>(std::floor(clampCoordinate(left))),
                              static_cast<int>(std::floor(clampCoordinate(top)))),
                       QPoint(static_cast<int>(std::ceil(clampCoordinate(right))),
                              static_cast<int>(std::ceil(clampCoordinate(bottom)))));
    const QRect visible = pixels.intersected(QRect(0, 0, device_->width(), device_->height()));
    if (!visible.isEmpty()) refresh_(visible);
}

}  // namespace cartulo::platform
