// Painting a line's tokens where layout placed them: text, style changes,
// pictures, links, backgrounds and the blanks of justification gaps.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "richtext/color_notation.h"
#include "richtext/markup_chars.h"
#include "richtext/scale_units.h"
#include "richtext/tag_kind.h"
#include "richtext/tag_params.h"
#include "richtext/zuzod_ivodure.h"

namespace cartulo {

using namespace richtext;

namespace {

// A tiny picture tiled over a large surface would otherwise paint millions
// of copies.
constexpr int kMaxTiles = 20000;
// A gap is filled with at most this many blanks, whatever the font size.
constexpr double kMaxGapBlanks = 1000;

std::vector<std::string_view> splitParams(std::string_view value) {
    std::vector<std::string_view> params;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = value.find(',', start);
        params.push_back(
            value.substr(start, comma == std::string_view::npos ? comma : comma - start));
        if (comma == std::string_view::npos) return params;
        start = comma + 1;
    }
}

// The pen as it was, put back when the painting that moved it is done.
class PenKeeper {
  public:
    explicit PenKeeper(Surface& s) : s_(s), x_(s.CurrentX()), y_(s.CurrentY()) {}
    ~PenKeeper() {
        s_.SetCurrentX(x_);
        s_.SetCurrentY(y_);
    }
    PenKeeper(const PenKeeper&) = delete;
    PenKeeper& operator=(const PenKeeper&) = delete;

  private:
    Surface& s_;
    double x_, y_;
};

}  // namespace

void cZuzodIvodure::paintToken(const LineItem& item, PaintPlace& place) {
    surface_->SetCurrentX(place.lineX);
    const std::vector<Piece>& pieces = item.token.pieces;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const Piece& piece = pieces[i];
        switch (piece.kind) {
            case Piece::Kind::Text: {
                std::string_view text = piece.text;
                if (place.lastToken && i + 1 == pieces.size()) {
                    text.remove_suffix(std::min(place.blanks, text.size()));
                }
                printText(text, place);
                break;
            }
            case Piece::Kind::Tag:
                paintTag(piece, place);
                break;
            case Piece::Kind::Object: {
                const double x = surface_->CurrentX();
                surface_->SetCurrentX(x + paintObject(x, place.baseline));
                break;
            }
            case Piece::Kind::Frame:
                paintFrame(piece, place);
                break;
        }
    }
}

void cZuzodIvodure::printText(std::string_view text, const PaintPlace& place) {
    if (text.empty()) return;
    Surface& s = *surface_;
    s.SetCurrentY(place.baseline - FontAscent(s));
    s.Print(text);
}

void cZuzodIvodure::paintTag(const Piece& piece, PaintPlace& place) {
    Surface& s = *surface_;
    const TagKind kind = KindOfTag(piece.name);
    switch (kind) {
        case TagKind::Tab: {
            const double margin = line_.firstOfParagraph ? margins_.first : margins_.left;
            place.lineX = margin + length(piece.value);
            s.SetCurrentX(place.lineX);
            break;
        }
        case TagKind::HSpace:
            s.SetCurrentX(s.CurrentX() + length(piece.value));
            break;
        case TagKind::HSpaceUnits:
            s.SetCurrentX(s.CurrentX() + ClampLength(ParseNumber(piece.value)));
            break;
        case TagKind::MoveDown: {
            const double down = length(piece.value);
            moveDown_ += down;
            place.top += down;
            place.baseline += down;
            break;
        }
        case TagKind::Subscript:
        case TagKind::Superscript: {
            const double size = s.Font().size;
            const double top = place.baseline - FontAscent(s);
            s.SetFontSize(size / 2);
            const double down = kind == TagKind::Subscript ? LineHeight(s) : 0;
            s.SetCurrentY(top + down);
            s.Print(piece.value);
            s.SetCurrentY(top);
            s.SetFontSize(size);
            break;
        }
        case TagKind::Symbol: {
            const FontState saved = s.Font();
            s.SetFontName("Symbol");
            s.SetFontCharset(kSymbolCharset);
            s.SetCurrentY(place.baseline - FontAscent(s));
            s.Print(piece.value);
            s.SetFontName(saved.name);
            s.SetFontCharset(saved.charset);
            s.SetFontSize(saved.size);
            s.SetCurrentY(place.baseline - FontAscent(s));
            break;
        }
        case TagKind::Expression: {
            const std::string result = evaluate(piece.value);
            s.SetCurrentY(place.baseline - place.tokenAscent);
            s.Print(result);
            break;
        }
        case TagKind::Picture:
        case TagKind::Button:
        case TagKind::PictureMap:
        case TagKind::Sound:
            paintPicture(piece, place);
            break;
        case TagKind::PictureLeft:
        case TagKind::PictureRight: {
            const auto picture = GetPicture(GetParam(piece.value, 1));
            if (!picture) break;
            const double offset = PixelsToScale(ClampLength(ParseNumber(GetParam(piece.value, 2))));
            const double x = kind == TagKind::PictureLeft
                                 ? offset
                                 : s.ScaleWidth() - (PictureToScale(s, picture->Width()) + offset);
            const PenKeeper pen(s);
            DrawPicture(*picture, x, place.top);
            break;
        }
        case TagKind::Link:
        case TagKind::Popup: {
            const bool link = kind == TagKind::Link;
            const std::string_view text =
                link ? GetParamRest(piece.value, 2) : GetParam(piece.value, 1);
            const bool underline = s.Font().underline;
            const Color color = s.ForeColor();
            s.SetFontUnderline(true);
            s.SetForeColor(HT_Color);
            const double x1 = s.CurrentX();
            const double top = place.baseline - FontAscent(s);
            s.SetCurrentY(top);
            s.Print(text);
            const double x2 = s.CurrentX();
            const double height = s.TextHeight(text);
            s.SetFontUnderline(underline);
            s.SetForeColor(color);
            HotZone zone{x1, top, x2, top + height, link ? ZoneKind::Hypertext : ZoneKind::Popup,
                         {}, {},  {}};
            zone.s1 = link ? GetParam(piece.value, 1) : GetParamRest(piece.value, 2);
            addZone(std::move(zone));
            break;
        }
        case TagKind::Background:
            paintBackground(piece.value);
            break;
        case TagKind::Formula: {
            const double x = s.CurrentX();
            s.SetCurrentX(x + paintFormula(x, place.baseline));
            break;
        }
        default:
            // Style tags act as in layout; names outside the vocabulary were
            // reported there.
            applyStyleTag(piece, false);
            break;
    }
}

void cZuzodIvodure::paintPicture(const Piece& piece, PaintPlace& place) {
    Surface& s = *surface_;
    const TagKind kind = KindOfTag(piece.name);
    const std::vector<std::string_view> params = splitParams(piece.value);
    const auto picture = kind == TagKind::Sound     ? symbolNormal_
                         : kind == TagKind::Picture ? GetPicture(piece.value)
                                                    : GetPicture(params[0]);
    if (!picture) return;
    const double width = PictureToScale(s, picture->Width());
    const double height = PictureToScale(s, picture->Height());
    const double x = s.CurrentX();
    const double y = place.baseline - height * 3 / 4;
    DrawPicture(*picture, x, y);
    s.SetCurrentX(x + width);

    if (kind == TagKind::Button) {
        HotZone zone{x, y, x + width - 3, y + height - 3, ZoneKind::Button, {}, {}, {}};
        zone.s1 = params[0];
        if (params.size() >= 3) {
            zone.s2 = params[1];
            zone.s3 = GetParamRest(piece.value, 3);
        } else {
            zone.s2 = GetParamRest(piece.value, 2);
        }
        addZone(std::move(zone));
    } else if (kind == TagKind::Sound) {
        HotZone zone{x, y, x + width - 1, y + height - 1, ZoneKind::Sound, {}, {}, {}};
        zone.s1 = piece.value;
        addZone(std::move(zone));
    } else if (kind == TagKind::PictureMap) {
        // Groups of five after the picture: x1, y1, x2, y2, command; the
        // first group without a command ends the list.
        // The table keeps to its own limit (and says nothing while silenced).
        for (std::size_t g = 1; g + 4 < params.size() && !params[g + 4].empty(); g += 5) {
            auto at = [&](std::size_t i) { return ClampLength(ParseNumber(params[i])); };
            HotZone zone{x + at(g),
                         y + at(g + 1),
                         x + at(g + 2),
                         y + at(g + 3),
                         ZoneKind::CommandArea,
                         {},
                         {},
                         {}};
            zone.s1 = params[g + 4];
            addZone(std::move(zone));
        }
    }
}

void cZuzodIvodure::passZones(const Piece& piece) {
    const TagKind kind = KindOfTag(piece.name);
    std::size_t zones = 0;
    if (kind == TagKind::Link || kind == TagKind::Popup) {
        zones = 1;
    } else if (kind == TagKind::Sound) {
        zones = symbolNormal_ ? 1 : 0;
    } else if (kind == TagKind::Button || kind == TagKind::PictureMap) {
        const std::vector<std::string_view> params = splitParams(piece.value);
        if (!GetPicture(params[0])) return;
        zones = 1;
        if (kind == TagKind::PictureMap) {
            zones = 0;
            for (std::size_t g = 1; g + 4 < params.size() && !params[g + 4].empty(); g += 5) {
                ++zones;
            }
        }
    }
    for (std::size_t i = 0; i < zones; ++i) addZone({});
}

void cZuzodIvodure::fillJustifyGap(const PaintPlace& place, double gap) {
    if (!(gap > 0)) return;
    Surface& s = *surface_;
    const double blank = s.TextWidth(" ");
    if (!(blank > 0)) return;
    const double count = std::min(std::ceil(gap / blank), kMaxGapBlanks);
    s.SetCurrentX(place.lineX);
    s.SetCurrentY(place.baseline - place.tokenAscent);
    s.Print(std::string(static_cast<std::size_t>(count), ' '));
}

void cZuzodIvodure::paintBackground(std::string_view value) {
    Surface& s = *surface_;
    const double top = line_.backgroundTop + moveDown_;
    const Color color = ParseColor(value, {s.ForeColor(), DefaultColor});
    if (color >= 0) {
        const PenKeeper pen(s);
        s.Rectangle(0, top, s.ScaleWidth(), s.ScaleHeight(), color, true);
        return;
    }
    const double mode = RoundHalfEven(ParseNumber(GetParam(value, 2)));
    tileBackground(GetParam(value, 1), top, mode >= 0 && mode <= 5 ? static_cast<int>(mode) : -1);
}

void cZuzodIvodure::tileBackground(std::string_view image, double top, int mode) {
    if (mode < 0) return;
    const auto picture = GetPicture(image);
    if (!picture) return;
    Surface& s = *surface_;
    const double width = PictureToScale(s, picture->Width());
    const double height = PictureToScale(s, picture->Height());
    if (!(width > 0 && height > 0)) return;
    const double surfaceWidth = s.ScaleWidth();
    std::vector<double> columns;
    switch (mode) {
        case 1:
            columns = {0};
            break;
        case 2:
            columns = {surfaceWidth - width};
            break;
        case 3:
            columns = {0, surfaceWidth - width};
            break;
        case 4:
            columns = {(surfaceWidth - width) / 2};
            break;
        case 5:
            columns = {surfaceWidth / 2 - width, surfaceWidth / 2};
            break;
        default:
            break;
    }
    const PenKeeper pen(s);
    int tiles = 0;
    for (double y = top; y < s.ScaleHeight() && tiles < kMaxTiles; y += height) {
        if (mode == 0) {
            for (double x = 0; x < surfaceWidth && tiles < kMaxTiles; x += width, ++tiles) {
                DrawPicture(*picture, x, y);
            }
        } else {
            for (double x : columns) {
                DrawPicture(*picture, x, y);
                ++tiles;
            }
        }
    }
}

void cZuzodIvodure::paintLinkQuote(char quote, std::size_t pos, const PaintPlace& place) {
    Surface& s = *surface_;
    if (quote == kOpenQuote) {
        if (link_.open) return;
        const auto close = reader_->Index().NextCloseQuote(pos + 1);
        if (!close) return;
        link_.open = true;
        link_.startX = place.lineX;
        link_.target = text_.substr(pos + 1, *close - pos - 1);
        link_.savedUnderline = s.Font().underline;
        link_.savedColor = s.ForeColor();
        s.SetFontUnderline(true);
        s.SetForeColor(HT_Color);
        return;
    }
    if (!link_.open) return;
    HotZone zone{link_.startX,        place.top, place.lineX, place.top + place.lineHeight,
                 ZoneKind::Hypertext, {},        {},          {}};
    zone.s1 = link_.target;
    addZone(std::move(zone));
    s.SetFontUnderline(link_.savedUnderline);
    s.SetForeColor(link_.savedColor);
    link_.open = false;
}

void cZuzodIvodure::closeLinkAtLineEnd(const PaintPlace& place) {
    if (!link_.open) return;
    HotZone zone{link_.startX,        place.top, place.lineX, place.top + place.lineHeight,
                 ZoneKind::Hypertext, {},        {},          {}};
    zone.s1 = link_.target;
    addZone(std::move(zone));
    // The link goes on at the left margin of the next line.
    link_.startX = margins_.left;
}

void cZuzodIvodure::addZone(HotZone zone) {
    zones_.Add(std::move(zone), errors_);
}

}  // namespace cartulo
