// Measuring a token: its width and its room above and below the baseline,
// with its style tags applied to the surface as they come.
#include <cmath>
#include <string>

#include "richtext/color_notation.h"
#include "richtext/scale_units.h"
#include "richtext/tag_kind.h"
#include "richtext/tag_params.h"
#include "richtext/zuzod_ivodure.h"

namespace cartulo {

using namespace richtext;

namespace {

// {N} toggles; {N:v} sets from v.
bool switched(const Piece& piece, bool current) {
    return HasValue(piece.name) ? ParseNumber(piece.value) != 0 : !current;
}

// Room of text in the current font.
void textRoom(const Surface& s, TokenMetrics& metrics) {
    const double ascent = FontAscent(s);
    metrics.Room(ascent, LineHeight(s) - ascent);
}

}  // namespace

void cZuzodIvodure::applyStyleTag(const Piece& piece, bool report) {
    Surface& s = *surface_;
    const bool valued = HasValue(piece.name);
    switch (KindOfTag(piece.name)) {
        case TagKind::Bold:
            s.SetFontBold(switched(piece, s.Font().bold));
            break;
        case TagKind::Italic:
            s.SetFontItalic(switched(piece, s.Font().italic));
            break;
        case TagKind::Underline:
            s.SetFontUnderline(switched(piece, s.Font().underline));
            break;
        case TagKind::Color: {
            if (!valued) {
                s.SetForeColor(DefaultColor);
                break;
            }
            const Color color = ParseColor(piece.value, {s.ForeColor(), DefaultColor});
            if (color >= 0) {
                s.SetForeColor(color);
            } else if (color == kInvalidColor && report) {
                errors_.Add(std::string(message::kInvalidColor) + std::string(piece.value));
            }
            break;
        }
        case TagKind::Font:
            s.SetFontName(valued ? piece.value : std::string_view(DefaultFont));
            break;
        case TagKind::Size:
            s.SetFontSize(valued ? ParseNumber(piece.value) : DefaultSize);
            break;
        case TagKind::Align: {
            const double align = valued ? RoundHalfEven(ParseNumber(piece.value)) : DefaultAlign;
            if (align >= 0 && align <= 3) {
                align_ = static_cast<int>(align);
                line_.align = align_;
            }
            break;
        }
        case TagKind::LeftMargin:
            margins_.left = leftEdge_ + length(piece.value);
            break;
        case TagKind::FirstMargin:
            margins_.first = leftEdge_ + length(piece.value);
            break;
        case TagKind::RightMargin:
            margins_.right = rightEdge_ + length(piece.value);
            break;
        case TagKind::ParagraphSpace:
            margins_.paragraph = length(piece.value);
            break;
        default:
            break;
    }
}

TokenMetrics cZuzodIvodure::measureToken(const Token& token) {
    Surface& s = *surface_;
    TokenMetrics metrics;
    for (const Piece& piece : token.pieces) {
        switch (piece.kind) {
            case Piece::Kind::Text:
                metrics.width += s.TextWidth(piece.text);
                textRoom(s, metrics);
                break;
            case Piece::Kind::Tag:
                measureTag(piece, metrics);
                break;
            case Piece::Kind::Object:
                if (const auto box = layoutObject(piece.value, piece.body)) {
                    metrics.width += box->width;
                    metrics.Room(box->ascent, box->descent);
                }
                break;
            case Piece::Kind::Frame:
                break;  // a frame takes no room in its line
        }
    }
    if (token.blanks > 0) metrics.blanksWidth = s.TextWidth(std::string(token.blanks, ' '));
    return metrics;
}

void cZuzodIvodure::measureTag(const Piece& piece, TokenMetrics& metrics) {
    Surface& s = *surface_;
    const TagKind kind = KindOfTag(piece.name);
    switch (kind) {
        case TagKind::Unknown:
            errors_.Add(std::string(message::kInvalidTag) + std::string(piece.name));
            break;
        case TagKind::Tab:
            metrics.width = 0;
            break;
        case TagKind::HSpace:
            metrics.width += length(piece.value);
            break;
        case TagKind::HSpaceUnits:
            metrics.width += ClampLength(ParseNumber(piece.value));
            break;
        case TagKind::Strut: {
            const double height = length(piece.value);
            metrics.Room(height * 3 / 4, height / 4);
            break;
        }
        case TagKind::Subscript:
        case TagKind::Superscript: {
            const double size = s.Font().size;
            const double lineHeight = LineHeight(s);
            const double ascent = FontAscent(s);
            s.SetFontSize(size / 2);
            metrics.width += s.TextWidth(piece.value);
            s.SetFontSize(size);
            if (kind == TagKind::Subscript) {
                metrics.Room(lineHeight / 4, lineHeight / 4);
            } else {
                metrics.Room(ascent, 0);
            }
            break;
        }
        case TagKind::Symbol: {
            const FontState saved = s.Font();
            s.SetFontName("Symbol");
            s.SetFontCharset(kSymbolCharset);
            metrics.width += s.TextWidth(piece.value);
            const double ascent = FontAscent(s);
            metrics.Room(ascent, LineHeight(s) - ascent);
            s.SetFontName(saved.name);
            s.SetFontCharset(saved.charset);
            s.SetFontSize(saved.size);
            break;
        }
        case TagKind::Expression:
            metrics.width += s.TextWidth(evaluate(piece.value));
            textRoom(s, metrics);
            break;
        case TagKind::Picture:
        case TagKind::Button:
        case TagKind::PictureMap:
        case TagKind::Sound: {
            const auto picture = kind == TagKind::Sound     ? symbolNormal_
                                 : kind == TagKind::Picture ? GetPicture(piece.value)
                                                            : GetPicture(GetParam(piece.value, 1));
            if (!picture) break;
            const double height = PictureToScale(s, picture->Height());
            metrics.width += PictureToScale(s, picture->Width());
            metrics.Room(height * 3 / 4, height / 4);
            break;
        }
        case TagKind::Link:
        case TagKind::Popup:
            metrics.width += s.TextWidth(kind == TagKind::Link ? GetParamRest(piece.value, 2)
                                                               : GetParam(piece.value, 1));
            textRoom(s, metrics);
            break;
        case TagKind::Formula:
            if (const auto box = layoutFormula(piece.value)) {
                metrics.width += box->width;
                metrics.Room(box->ascent, box->descent);
            }
            break;
        case TagKind::ObjectEnd:
            errors_.Add(message::kObjectWithoutStart);
            break;
        case TagKind::FrameEnd:
            errors_.Add(message::kFrameWithoutStart);
            break;
        default:
            applyStyleTag(piece, true);
            break;
    }
}

}  // namespace cartulo
