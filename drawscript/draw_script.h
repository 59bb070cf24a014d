// cDrawScript: runs one drawing script on a drawing surface. The host (the
// rich-text engine, for an embedded object of class "drawscript") gives it
// a surface and a script, calls Draw once and drops it.
//
// The language is postfix: numbers, strings and words that are not
// commands are pushed on a stack of strings; command words pop their
// operands and may push results. Nothing in a script is an error: unknown
// words, missing operands, invalid colours and overflowing stacks, paths
// and variable tables are absorbed (see the commands in draw_script.cpp).
//
// Choices where the language leaves room:
// - Draw does not clip: a script may paint outside the object's box, as the
//   surface offers no clipping and width and height are not used.
// - Coordinates are kept finite: operands saturate at the single-precision
//   range, and every path point is held within +-kMaxCoordinate surface
//   units, so huge numbers put shapes far off the page, never NaN or
//   infinity on a surface.
// - The draw width given to the surface is the line width in device pixels
//   (on a printer: in vertical units divided by 4), rounded half to even and
//   held within 1 to kMaxDrawWidth (a width below half a pixel draws one
//   pixel wide; 1e9 draws kMaxDrawWidth wide).
// - A circle has exactly 100 points, its last one the current point itself.
// - The surfaces report no errors, so Draw cannot fail; should a surface
//   throw, the exception leaves Draw for the host to word.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "drawscript/operand_stack.h"
#include "drawscript/script_units.h"
#include "drawscript/variable_table.h"
#include "platform/surface.h"

namespace cartulo {

class cDrawScript {
  public:
    // --- properties the host sets ---
    cartulo::Surface* Surface = nullptr;  // not owned; Draw does nothing without one
    std::string Script;
    std::string Prologue = "1 linewidth";  // run before the script, one space between

    // Sets the origin (x, y) in surface units, empties the stack and the
    // path, makes the surface's fill style solid, and runs the prologue and
    // the script. Width and height are not used. The variable table is kept,
    // so a host may set variables before.
    void Draw(float x, float y, float width, float height);

    // Names as the script writes them, with their colon (":x").
    std::string GetVar(std::string_view name) const { return variables_.Get(name); }
    void SetVar(std::string_view name, std::string_view value) { variables_.Set(name, value); }

    static std::string_view Version() { return "1.0.100420"; }

    // What the last Draw left on the stack; for diagnosis and tests.
    const drawscript::OperandStack& Stack() const { return stack_; }

    // The path holds its start point and at most this many more.
    static constexpr std::int32_t kMaxPathPoints = 1000;
    // Path coordinates stay within this many surface units of 0: far
    // beyond any page, and safe to turn into integer pixels.
    static constexpr double kMaxCoordinate = 1e8;
    // The widest pen given to a surface, in device pixels.
    static constexpr int kMaxDrawWidth = 32767;

  private:
    struct PathPoint {
        float x = 0;
        float y = 0;
    };

    void run(std::string_view text);
    void runCommand(std::string_view word);

    // Operands
    double popNumber();
    float popSingle();
    void pushNumber(double value);

    // Commands without a surface (draw_script.cpp)
    void add();
    void subtract();
    void multiply();
    void divide();
    void duplicate();
    void pop();
    void swap();
    void set();

    // Commands on the path and the surface (drawing_commands.cpp)
    void move();
    void moveRelative();
    void line();
    void lineRelative();
    void box();
    void circle();
    void close();
    void stroke();
    void fill();
    void lineColor();
    void fillColor();
    void lineWidth();
    void getLineColor();
    void getFillColor();
    void getLineWidth();
    void getPosition();
    void print();
    void textWidth();
    void textHeight();
    void setFontName();
    void setFontSize();
    void setFontBold();
    void setFontItalic();
    void setFontUnderline();

    void startPath(double x, double y);
    void append(double x, double y);
    const PathPoint& current() const { return path_[static_cast<std::size_t>(count_)]; }

    drawscript::OperandStack stack_;
    drawscript::VariableTable variables_;
    drawscript::UnitScale scale_;
    float x0_ = 0, y0_ = 0;
    std::array<PathPoint, kMaxPathPoints + 1> path_{};
    std::int32_t count_ = 0;  // index of the last point
    float lineWidth_ = 0;     // the last positive linewidth, in points
};

}  // namespace cartulo
