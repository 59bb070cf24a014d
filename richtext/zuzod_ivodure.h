// cZuzodIvodure: lays out card text (the brace markup) on a drawing surface
// and paints it, line by line, measuring each token with the surface's own
// metrics and painting each line at once. The lines of each paragraph are
// remembered, so a later call lays out again only the paragraphs whose text
// or starting style changed; its results are those of a layout from scratch.
//
// Positions given to and taken from the host (GetTextPointer, CutAt) are
// 1-based, one past the end meaning "all of it".
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/surface.h"
#include "richtext/error_list.h"
#include "richtext/hot_zones.h"
#include "richtext/inline_slots.h"
#include "richtext/layout_memory.h"
#include "richtext/layout_state.h"
#include "richtext/markup_reader.h"

namespace cartulo {

class cImageCache;
struct cZuzodIvodureCell;
namespace richtext {
class TableGrid;
}
class cZuzodIvodureFrame;
// Releases a frame object where its class is complete.
struct FrameRelease {
    void operator()(cZuzodIvodureFrame* frame) const;
};

// The host's handlers for embedded objects the engine does not draw itself.
using ObjectSizeHandler =
    std::function<void(const std::string& type, const std::string& parameters,
                       const std::string& body, Surface& surface, float& width, float& height)>;
using ObjectPaintHandler = std::function<void(
    const std::string& type, const std::string& parameters, const std::string& body,
    Surface& surface, float x, float y, float width, float height)>;

class cZuzodIvodure {
  public:
    cZuzodIvodure() = default;
    // The engine of its frames keeps a reference to it: an engine stays put.
    cZuzodIvodure(const cZuzodIvodure&) = delete;
    cZuzodIvodure& operator=(const cZuzodIvodure&) = delete;

    // --- properties the host sets ---
    std::string BasePath;               // picture and sound names resolve here ("": current folder)
    Surface* Ctrl = nullptr;            // the surface painted on; not owned
    cImageCache* ImageCache = nullptr;  // shared by all engines; not owned
    Color HT_Color = Rgb(0, 0, 255);
    std::string DefaultFont = "Times New Roman";
    float DefaultSize = 12;
    Color DefaultColor = Rgb(0, 0, 0);
    std::int16_t DefaultAlign = 3;  // 0 left, 1 right, 2 centred, 3 justified
    std::int16_t DefaultBorderWidth = 3;
    // DrawText lays out every line but paints only those that may put ink
    // on the surface (0 to its height), for a host that shows nothing else:
    // the others record no hot zones and ask the host nothing. Lines that
    // paint beyond their own band ({W:}, {GI:}, {GD:}, {VD:}, frames) are
    // always painted.
    bool PaintOnlyVisible = false;

    // --- events ---
    // All are raised synchronously on the caller's thread; an unset one is
    // not raised.
    //
    // {@expr}: the handler gets the expression and may replace it with the
    // text to show; left as it is, the expression itself is shown.
    std::function<void(std::string& value)> Evaluate;
    // A press on a link («target» or {L:}): its target.
    std::function<void(const std::string& target)> Hypertext;
    // A release over the button that was pressed ({B:}), or a press on an
    // area of a picture map ({H:}): its command.
    std::function<void(const std::string& command)> Exec;
    // A press on a popup link ({P:}): its argument.
    std::function<void(const std::string& argument)> Popup;
    // An embedded object of a type the engine does not draw itself: the
    // host may change its size (surface units, preset from the tag) and
    // paints it in the box it is given. A handler that throws a
    // std::exception is recorded as "Error de objeto: " and its what().
    ObjectSizeHandler ObjectSize;
    ObjectPaintHandler ObjectPaint;
    // A release over a sound symbol ({S:}): plays the file (the name
    // written, under BasePath) without waiting for it. Unset: silence.
    std::function<void(const std::string& path)> PlaySound;

    // Lays out and paints text from top y (-1 means 0) between the left
    // edge and the right edge (a distance from the surface's right side),
    // stopping at bottom (>= 0: that Y; < 0: that far above the surface's
    // bottom; -1 on a screen: never). Returns the Y below the last line.
    // {VD:} moves the painting down, so it counts in the bottom check (no
    // line is painted below the limit) and in the Y returned.
    // A line or table that does not fit above the bottom ends the page
    // before it, unless nothing stands above it on the page: then it is
    // painted, cut off, and ends the page (not within a frame's box).
    float DrawText(std::string_view text, float y, float left, float right, float bottom);
    // The same layout without painting; the height it takes (end Y minus
    // y as passed, so a y of -1 yields the height plus 1). {VD:} moves
    // only painting and has no effect here: the height leaves its shifts
    // out, and the bottom check may stop at another line than DrawText's.
    float SizeText(std::string_view text, float y, float left, float right, float bottom);

    // After DrawText: the lowest Y its painted lines and frames reach, each
    // where its {VD:} shifts put it (a line painted before a shift back up
    // stays low); the top y for an empty text. What an image of the whole text
    // must hold besides the Y DrawText returns.
    float PaintedBottom() const { return static_cast<float>(paintedBottom_); }

    // The text of the last call, tables moved onto their own lines.
    const std::string& GetText() const { return text_; }
    // After DrawText: the first position not painted (1-based; one past
    // the end when all was). After SizeText: where the last line examined
    // starts, the one that failed the bottom check or else the text's last
    // line (1 for an empty text). CutAt(GetText(), GetTextPointer()) is the
    // next page's text after a DrawText.
    std::int32_t GetTextPointer() const { return textPointer_; }
    static std::string CutAt(std::string_view text, std::size_t position);

    static std::string_view Version() { return "3.1.130426"; }

    // Unit conversions on the surface painted on: during a call the one it
    // started with, else Ctrl (0 without one).
    float ScaleMode2Points(float value) const;
    double PointsToScale(double points) const;
    double PixelsToScale(double pixels) const;

    // The speaker symbol of {S:} and its pressed form.
    void InitImages(std::shared_ptr<const Picture> normal, std::shared_ptr<const Picture> pressed);
    // A picture by the name written in the text, through ImageCache.
    std::shared_ptr<const Picture> GetPicture(std::string_view name) const;
    // The picture with its top-left corner at (x, y), a picture pixel
    // being a screen pixel (a point on a printer), on the surface painted
    // on (see the unit conversions).
    void DrawPicture(const Picture& picture, double x, double y);
    // The standard pen of frame and table borders, on the surface painted on.
    void SetPenWidth();

    // Errors of the last call, 0-based: Errors(0) to Errors(ErrorCount() - 1);
    // "" outside. At most 100; "Demasiados errores" takes the last slot.
    int ErrorCount() const { return static_cast<int>(errors_.Count()); }
    const std::string& Errors(int i) const;
    // Clickable zones of the last DrawText (SizeText records none and
    // empties the table too).
    const richtext::HotZoneTable& HotZones() const { return zones_; }
    // The zone under the pointer and the button or sound symbol held
    // down, as table indexes; -1 for none, and both -1 after every call.
    int HoverZone() const { return hoverZone_; }
    int PressedZone() const { return pressedZone_; }
    bool Busy() const { return busy_; }

    // --- mouse ---
    // The host's mouse events on the surface, x and y in its scale units;
    // every button acts alike. They work on the zones of the last DrawText
    // and paint their feedback (a pressed button, a pressed speaker) on
    // Ctrl at once, outside any paint event, then call Ctrl's Refresh with
    // the area changed. A host whose paint event calls DrawText again ends
    // any press (see cOurMC for how a window keeps a backing image).
    //
    // Move: with nothing pressed, the zone under the point (the last one
    // painted, where zones overlap; borders count as inside) becomes the
    // hover zone and the pointer an upward arrow over a zone, the default
    // one elsewhere. With a button or speaker pressed, it shows pressed
    // while the point is inside it and normal while outside.
    void MouseMove(int button, float x, float y);
    // Down: acts on the hover zone. A link raises Hypertext, a popup Popup
    // and a picture-map area Exec at once; a button or a speaker becomes
    // the pressed zone and shows pressed.
    void MouseDown(int button, float x, float y);
    // Up: a pressed button or speaker shows normal again and, when the
    // point is inside it, raises Exec (the third parameter of a button
    // when it has one, else its second) or plays the sound.
    void MouseUp(int button, float x, float y);

  private:
    double renderText(std::string_view text, double y, double left, double right, double bottom,
                      bool measureOnly);
    void resetFont();
    // A remembered paragraph wholly off the surface, passed over at once
    // when nothing needs its lines one by one (checked: a bottom limit, or
    // measuring); y moves below it.
    bool passUnseen(const richtext::RememberedParagraph& paragraph, bool checked, double& y,
                    bool& pageUsed, std::optional<std::size_t>& lastLineStart);
    // Paragraphs passed over unseen as the last call passed them.
    void passUnseenRun(const richtext::UnseenRun& run, double& y, bool& pageUsed,
                       std::optional<std::size_t>& lastLineStart);
    void fillLine();
    double availableWidth() const;
    // The line's tokens (positions from `base` in the text) painted at top y,
    // with the rest of the line held in line_.
    void paintLine(const std::vector<richtext::LineItem>& items, std::size_t base, double y);
    // The same line passed over unpainted: the style and links it leaves.
    void passLine(const std::vector<richtext::LineItem>& items, std::size_t base, double y);
    // The zones painting the tag would add, counted but not kept.
    void passZones(const richtext::Piece& piece);
    // The style a remembered line leaves once filled, from the style it
    // starts with.
    void applyLineStyle(const std::vector<richtext::LineItem>& items);
    double lineShift(const std::vector<richtext::LineItem>& items) const;
    richtext::LayoutContext layoutContext() const;
    richtext::ParagraphStart paragraphStartState() const;
    // The call's surface while one runs (a handler may change Ctrl), else Ctrl.
    Surface* paintSurface() const { return busy_ ? surface_ : Ctrl; }

    // Style and margin tags, in layout and in painting alike.
    void applyStyleTag(const richtext::Piece& piece, bool report);
    richtext::TokenMetrics measureToken(const richtext::Token& token);
    void measureTag(const richtext::Piece& piece, richtext::TokenMetrics& metrics);
    void measureLinkQuote(char quote, std::size_t pos);

    // Tables (table_layout.cpp, table_borders.cpp): those at the position
    // are laid out, and painted unless measuring, from top y, which moves
    // below them; false when one does not fit above the limit and
    // something stands above it on the page (the position is then its start).
    bool layoutTables(double& y, bool measureOnly, double limit, bool& pageUsed);
    bool layoutTable(double& y, bool measureOnly, double limit, bool& pageUsed);
    void applyCellLead(const cZuzodIvodureCell& cell, bool report);
    void measureCell(cZuzodIvodureCell& cell);
    void paintCell(const cZuzodIvodureCell& cell, double x, double y, double width, double height,
                   double border);
    // A cell's text: width and height, painted with its top-left at `at` when given.
    std::pair<double, double> cellText(std::string_view text, const PointF* at);
    void cellLine(std::string_view line, richtext::TokenMetrics& metrics, const double* baseline);
    void drawTableBorders(const richtext::TableGrid& grid, double x, double y, Color colour,
                          double border);
    void drawBorders(const richtext::TableGrid& grid, double x, double y, Color colour,
                     double border);

    void paintToken(const richtext::LineItem& item, richtext::PaintPlace& place);
    void paintTag(const richtext::Piece& piece, richtext::PaintPlace& place);
    void printText(std::string_view text, const richtext::PaintPlace& place);
    void paintPicture(const richtext::Piece& piece, richtext::PaintPlace& place);
    void fillJustifyGap(const richtext::PaintPlace& place, double gap);
    void paintBackground(std::string_view value);
    void paintFrame(const richtext::Piece& piece, const richtext::PaintPlace& place);
    void tileBackground(std::string_view image, double top, int mode);
    void paintLinkQuote(char quote, std::size_t pos, const richtext::PaintPlace& place);
    void closeLinkAtLineEnd(const richtext::PaintPlace& place);
    void addZone(richtext::HotZone zone);
    // A name written in the text, as a path under BasePath.
    std::string resolveName(std::string_view name) const;

    // Mouse feedback, painted on Ctrl outside any call.
    void showPressed(const richtext::HotZone& zone, bool pressed);
    void paintFeedback(const Picture* picture, const richtext::HotZone& zone, bool outline);

    // While one lives, painting records no zones: links and buttons in
    // table cells are painted but not clickable.
    class ZoneSilence {
      public:
        explicit ZoneSilence(cZuzodIvodure& engine) : zones_(engine.zones_) { zones_.Silence(); }
        ~ZoneSilence() { zones_.Unsilence(); }
        ZoneSilence(const ZoneSilence&) = delete;
        ZoneSilence& operator=(const ZoneSilence&) = delete;

      private:
        richtext::HotZoneTable& zones_;
    };
    // While one lives, zones count toward the limit but are not kept.
    class ZonePass {
      public:
        explicit ZonePass(cZuzodIvodure& engine) : zones_(engine.zones_) { zones_.Pass(); }
        ~ZonePass() { zones_.Unpass(); }
        ZonePass(const ZonePass&) = delete;
        ZonePass& operator=(const ZonePass&) = delete;

      private:
        richtext::HotZoneTable& zones_;
    };

    std::string evaluate(std::string_view expression);
    double length(std::string_view value) const;  // a markup length in points, in scale units
    richtext::StyleSnapshot takeSnapshot() const;
    void restoreSnapshot(const richtext::StyleSnapshot& snapshot);
    richtext::Checkpoint takeCheckpoint() const;
    void restoreCheckpoint(const richtext::Checkpoint& checkpoint);

    // Formulas and objects take the line's next slot in layout and read it
    // back in painting, in the same order (inline_formulas.cpp,
    // inline_objects.cpp). Table cells share the line's slots this way.
    // {FO:text}: its room; none when skipped (11th) or failed (error recorded).
    std::optional<richtext::InlineBox> layoutFormula(std::string_view text);
    // The next formula at (x, baseline); the width the pen moves on by (0: none).
    double paintFormula(double x, double baseline);
    // {O:value}body{/O}: its room (the host sizes other types); none when skipped (101st).
    std::optional<richtext::InlineBox> layoutObject(std::string_view value, std::string_view body);
    // The next object in its box (left x, 3/4 of it above baseline); its width (0: none).
    double paintObject(double x, double baseline);
    // The slots used so far: reset per line and before painting; a table restores them after it.
    richtext::InlineCounters inlineCounters() const { return inline_.counters; }
    void setInlineCounters(richtext::InlineCounters counters) { inline_.counters = counters; }

    // Working state of one call.
    Surface* surface_ = nullptr;  // Ctrl as the call began; handlers may change Ctrl
    std::string input_;           // the text as the last call was given it
    std::string text_;
    std::optional<richtext::MarkupReader> reader_;
    std::size_t pos_ = 0;  // 0-based
    std::int32_t textPointer_ = 1;
    richtext::InlineSlots inline_;  // the line's formulas and objects
    double leftEdge_ = 0, rightEdge_ = 0;
    richtext::Margins margins_;
    int align_ = 3;
    bool paragraphStart_ = true;
    bool linkOpenInLayout_ = false;
    double moveDown_ = 0;  // {VD:} so far, painting only
    double paintedBottom_ = 0;
    richtext::LineRecord line_;
    richtext::OpenLink link_;
    bool busy_ = false;
    richtext::LayoutMemory memory_;

    richtext::ErrorList errors_;
    richtext::HotZoneTable zones_;
    int hoverZone_ = -1;
    int pressedZone_ = -1;
    bool pressedShown_ = false;  // the pressed zone's look: pressed or normal
    std::shared_ptr<const Picture> symbolNormal_;
    std::shared_ptr<const Picture> symbolPressed_;
    // Lays out frame bodies; made on the first frame painted and kept.
    std::unique_ptr<cZuzodIvodureFrame, FrameRelease> frame_;
    int frameDepth_ = 0;             // frames around this engine's text
    std::size_t frameTextLeft_ = 0;  // body characters this call's frames may still lay out
};

}  // namespace cartulo
