// The lines of each paragraph as the last calls laid them out, so that a
// repaint after an edit lays out only what changed. A paragraph is found
// again by its text and the style state at its start; what else its layout
// reads (the surface's metrics, the engine's defaults and edges) is the
// context, and a new context forgets everything.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/surface.h"
#include "richtext/layout_state.h"

namespace cartulo::richtext {

// What a paragraph's layout reads at its start besides its text.
struct ParagraphStart {
    FontState font;
    Color color = 0;
    Margins margins;
    int align = 0;
    bool linkOpen = false;  // a « opened before and not closed yet
};
bool operator==(const ParagraphStart& a, const ParagraphStart& b);

// What every paragraph's layout reads besides its start.
struct LayoutContext {
    ScaleMode scaleMode = ScaleMode::User;
    bool printer = false;
    double scaleWidth = 0;
    double twipsPerPixelX = 0, twipsPerPixelY = 0;
    // The default font as the surface measures it: another device (or
    // another kind of surface) measures differently.
    double probeWidth = 0;
    TextMetrics probeMetrics;
    std::string defaultFont;
    double defaultSize = 0;
    Color defaultColor = 0;
    int defaultAlign = 0;
    double leftEdge = 0, rightEdge = 0;
};
bool operator==(const LayoutContext& a, const LayoutContext& b);

struct RememberedLine {
    // Token positions count from the paragraph's start; the pieces' text
    // lies in the paragraph's own copy.
    std::vector<LineItem> items;
    std::size_t tokens = 0;
    double width = 0;
    double ascent = 0;
    double descent = 0;
    std::size_t length = 0;  // from its start to the next line's (a CR LF after it excluded)
    Checkpoint filled;       // style, margins and alignment once the line was filled
    std::vector<std::string> errors;  // reported while filling it, in order
    double shift = 0;                 // what its {VD:} tags move it down by, painted
    bool inkAnywhere = false;         // may paint outside its own band
};

struct RememberedParagraph {
    std::string text;  // CR LF included; never moved, the lines point into it
    ParagraphStart start;
    bool linkOpenAtEnd = false;
    std::vector<RememberedLine> lines;

    // Set by Summarize: whether its lines hold nothing but text (no tag, no
    // quote, no error), so that passing them over unpainted changes nothing;
    // their heights; and where its last line starts.
    bool plain = false;
    double height = 0;          // of all its lines
    double tallest = 0;         // of its tallest line
    double lastTop = 0;         // from its first line's top
    std::size_t lastStart = 0;  // from its start
};

void Summarize(RememberedParagraph& paragraph);

// How a paragraph was passed over unseen: where it started, with which
// {VD:} offset and surface height, where the next one starts and the
// lowest line bottom passed.
struct PassedUnseen {
    double y = 0;
    double moveDown = 0;
    double surfaceHeight = 0;
    double yAfter = 0;
    double bottom = 0;
};

// Paragraphs passed over unseen one after another, all at once.
struct UnseenRun {
    std::size_t end = 0;      // where the paragraph after them starts
    std::size_t lastPos = 0;  // where the last of them starts
    const RememberedParagraph* last = nullptr;
    double yAfter = 0;
    double bottom = 0;
    bool height = false;  // one of them has height
};

// Paragraphs are found where the last call had them: the text before an
// edit is where it was, the text after it moved by what the edit added.
class LayoutMemory {
  public:
    // At the start of every call, with its text: keeps what the last call
    // laid out, or forgets everything when the context changed. The caller
    // that knows the text is the last call's says so, sparing its compare.
    void Begin(const LayoutContext& context, std::string_view text, bool sameText = false);
    // The paragraph the last call laid out from this text (found at pos)
    // and start, or null; then it counts as laid out by this call too.
    const RememberedParagraph* Find(std::size_t pos, std::string_view text,
                                    const ParagraphStart& start);
    void Keep(std::size_t pos, std::unique_ptr<RememberedParagraph> paragraph);
    // The paragraph last found was passed over unseen.
    void MarkPassed(const PassedUnseen& passed);
    // The paragraphs from pos on that the last call passed over unseen from
    // the same start, place and surface, found again unchanged: they would
    // be passed over the same way now, so they are taken as one.
    std::optional<UnseenRun> PassUnseenRun(std::size_t pos, const ParagraphStart& start, double y,
                                           double moveDown, double surfaceHeight);
    void Clear();

  private:
    struct Placed {
        std::size_t pos;
        std::shared_ptr<const RememberedParagraph> paragraph;
        std::optional<PassedUnseen> passed;
        // Copied from the paragraph, so that passing a run of them over
        // reads this vector only, not each paragraph's memory.
        std::size_t size = 0;
        bool endsLine = false;
        bool hasHeight = false;

        Placed(std::size_t at, std::shared_ptr<const RememberedParagraph> p,
               std::optional<PassedUnseen> how);
    };
    // Where a paragraph of `size` bytes found at pos stood in the last
    // call's text, if its text and end are the same there.
    std::optional<std::size_t> formerPlace(std::size_t pos, std::size_t size, bool endsLine) const;

    std::optional<LayoutContext> context_;
    std::string text_;              // of the last call
    std::size_t samePrefix_ = 0;    // bytes the last call's text and this one's start with
    std::size_t sameSuffix_ = 0;    // and end with, after the prefix
    std::ptrdiff_t moved_ = 0;      // this text's size minus the last one's
    std::vector<Placed> current_;   // laid out by this call, in text order
    std::vector<Placed> previous_;  // by the last call
};

// The end of the paragraph starting at pos: past its CR LF, or the text's end.
std::size_t ParagraphEnd(std::string_view text, std::size_t pos);

// Whether every « in the text has a » after it there: then the paragraph's
// links do not depend on the text after it.
bool QuotesCloseWithin(std::string_view text);

// What a line's pieces tell about remembering and painting it.
struct LineTraits {
    bool rememberable = true;  // its layout reads nothing but its text and state
    bool inkAnywhere = false;  // it may paint outside its own band
    bool movesDown = false;    // it holds a {VD:}
    bool plain = true;         // it holds no tag and no quote
};
LineTraits TraitsOf(const std::vector<LineItem>& items);

// Moves a line's token positions and piece texts from the text they were
// read in (the paragraph starting at `from`) to the paragraph's copy `to`.
// False when a piece lies outside the paragraph.
bool MoveToCopy(std::vector<LineItem>& items, std::string_view from, std::size_t start,
                std::string_view to);

}  // namespace cartulo::richtext
