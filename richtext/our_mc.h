// cOurMC: the host binding, through which windows use the rich-text
// engine. It owns one engine (pMC), gives it the program's defaults
// (Arial 12), the shared picture cache and the speaker pictures, forwards
// the host's calls, answers the four literal escapes itself and passes the
// engine's other events on to its own host under the same names.
//
// A host creates one binding per surface it paints on and, before the
// first DrawText, sets BasePath (the folder of the card file shown) and
// Ctrl. A window that shows card text:
//
//   cOurMC mc;                           // the program's resources
//   mc.SetBasePath(folder);
//   QImage backing(size, QImage::Format_RGB32);   // kept by the window
//   platform::QtSurface surface(backing);        // kept as long
//   surface.SetRefreshHandler([w](const QRect& r) { w->update(r); });
//   surface.SetPointerWidget(w);  // the pointer shapes reach the widget
//   mc.SetCtrl(&surface, cOurMC::Bind::PictureControl);
//
//   // When the text or the width changes (not on every paint event):
//   backing.fill(Qt::white);
//   mc.DrawText(text, y, 0, 0, -1);
//   surface.End();
//   w->update();
//
//   // paintEvent: draw `backing` on the widget, nothing else.
//   // Mouse events, in the surface's units (pixels here):
//   mc.MouseMove(button, x, y); mc.MouseDown(...); mc.MouseUp(...);
//
// The mouse paints its feedback (a pressed button) on the surface at once,
// outside any paint event, and calls the surface's Refresh with the area
// it changed; the Qt surface ends its painter and hands the area to the
// refresh handler. A paint event that called DrawText instead would end
// every press in progress, since each DrawText starts the zones afresh.
//
// Events are raised synchronously from inside the call that causes them
// (Evaluate, ObjectSize and ObjectPaint from DrawText and SizeText;
// Hypertext, Exec and Popup from the mouse calls). A handler may call
// DrawText again; the binding must outlive every call into it, so a
// handler that closes the window releases the binding later (a queued
// call), not from inside the handler.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/surface.h"
#include "richtext/binding_resources.h"
#include "richtext/zuzod_ivodure.h"

namespace cartulo {

class cOurMC {
  public:
    // What kind of surface Ctrl is being set to.
    enum class Bind {
        Surface,         // a form or a printer page: the defaults stay
        PictureControl,  // a picture control: its font and text colour become the defaults
    };

    // The engine with the program's defaults, and the resources given
    // (by default those installed at start-up; none: no pictures, no
    // speaker, no sounds).
    explicit cOurMC(std::shared_ptr<const BindingResources> resources = ProgramResources());
    cOurMC(const cOurMC&) = delete;
    cOurMC& operator=(const cOurMC&) = delete;
    ~cOurMC();

    // --- properties: the engine's, read and written through ---
    const std::string& BasePath() const { return pMC_->BasePath; }
    void SetBasePath(std::string_view path) { pMC_->BasePath = std::string(path); }
    Surface* Ctrl() const { return pMC_->Ctrl; }
    // The surface is not owned and must outlive its use. Bound as a
    // picture control, its current font name and size and its text colour
    // become DefaultFont, DefaultSize and DefaultColor.
    void SetCtrl(Surface* surface, Bind kind = Bind::Surface);
    std::int16_t DefaultAlign() const { return pMC_->DefaultAlign; }
    void SetDefaultAlign(std::int16_t align) { pMC_->DefaultAlign = align; }
    std::int16_t DefaultBorderWidth() const { return pMC_->DefaultBorderWidth; }
    void SetDefaultBorderWidth(std::int16_t width) { pMC_->DefaultBorderWidth = width; }
    Color DefaultColor() const { return pMC_->DefaultColor; }
    void SetDefaultColor(Color color) { pMC_->DefaultColor = color; }
    const std::string& DefaultFont() const { return pMC_->DefaultFont; }
    void SetDefaultFont(std::string_view font) { pMC_->DefaultFont = std::string(font); }
    float DefaultSize() const { return pMC_->DefaultSize; }
    void SetDefaultSize(float size) { pMC_->DefaultSize = size; }
    Color HT_Color() const { return pMC_->HT_Color; }
    void SetHT_Color(Color color) { pMC_->HT_Color = color; }

    // --- methods: the engine's (see zuzod_ivodure.h) ---
    static std::string CutAt(std::string_view text, std::size_t position) {
        return cZuzodIvodure::CutAt(text, position);
    }
    float DrawText(std::string_view text, float y, float left, float right, float bottom) {
        return pMC_->DrawText(text, y, left, right, bottom);
    }
    float SizeText(std::string_view text, float y, float left, float right, float bottom) {
        return pMC_->SizeText(text, y, left, right, bottom);
    }
    const std::string& GetText() const { return pMC_->GetText(); }
    std::int32_t GetTextPointer() const { return pMC_->GetTextPointer(); }
    void MouseDown(int button, float x, float y) { pMC_->MouseDown(button, x, y); }
    void MouseMove(int button, float x, float y) { pMC_->MouseMove(button, x, y); }
    void MouseUp(int button, float x, float y) { pMC_->MouseUp(button, x, y); }

    // The engine itself: its errors, its zones, its symbol pictures.
    cZuzodIvodure& pMC() { return *pMC_; }
    const cZuzodIvodure& pMC() const { return *pMC_; }

    // --- events, as the engine's ---
    // Every {@expr} but the four escapes; unanswered, the expression
    // itself is shown.
    std::function<void(std::string& expression)> Evaluate;
    std::function<void(const std::string& command)> Exec;
    std::function<void(const std::string& target)> Hypertext;
    ObjectSizeHandler ObjectSize;
    ObjectPaintHandler ObjectPaint;
    std::function<void(const std::string& argument)> Popup;

    // The escapes that write a literal brace or quote, compared with
    // letter case: ":la" is "{", ":lc" "}", ":ca" « and ":cc" ». Replaces
    // the expression with its answer and returns true for them; leaves
    // any other expression alone and returns false.
    static bool AnswerEscape(std::string& expression);

  private:
    void pMC_Evaluate(std::string& expression);
    void pMC_Exec(const std::string& command);
    void pMC_Hypertext(const std::string& target);
    void pMC_ObjectPaint(const std::string& type, const std::string& parameters,
                         const std::string& body, Surface& surface, float x, float y, float width,
                         float height);
    void pMC_ObjectSize(const std::string& type, const std::string& parameters,
                        const std::string& body, Surface& surface, float& width, float& height);
    void pMC_Popup(const std::string& argument);

    std::shared_ptr<const BindingResources> resources_;  // keeps the cache alive
    std::unique_ptr<cZuzodIvodure> pMC_;
};

}  // namespace cartulo
