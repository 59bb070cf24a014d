#include "richtext/zuzod_ivodure_frame.h"

namespace cartulo {

void FrameRelease::operator()(cZuzodIvodureFrame* frame) const {
    std::default_delete<cZuzodIvodureFrame>()(frame);
}

void cZuzodIvodureFrame::Create(cZuzodIvodure& owner) {
    owner_ = &owner;
    mc_ = std::make_unique<cZuzodIvodure>();
    mc_->Evaluate = [this](std::string& expression) { MC_Evaluate(expression); };
    mc_->ObjectSize = [this](const std::string& type, const std::string& parameters,
                             const std::string& body, Surface& surface, float& width,
                             float& height) {
        MC_ObjectSize(type, parameters, body, surface, width, height);
    };
    mc_->ObjectPaint = [this](const std::string& type, const std::string& parameters,
                              const std::string& body, Surface& surface, float x, float y,
                              float width, float height) {
        MC_ObjectPaint(type, parameters, body, surface, x, y, width, height);
    };
}

void cZuzodIvodureFrame::Destroy() {
    mc_.reset();
}

void cZuzodIvodureFrame::MC_Evaluate(std::string& expression) {
    // Copies: the host may set its handlers anew while one of them runs.
    if (owner_ && owner_->Evaluate) {
        const auto handler = owner_->Evaluate;
        handler(expression);
    }
}

void cZuzodIvodureFrame::MC_ObjectSize(const std::string& type, const std::string& parameters,
                                       const std::string& body, Surface& surface, float& width,
                                       float& height) {
    if (owner_ && owner_->ObjectSize) {
        const ObjectSizeHandler handler = owner_->ObjectSize;
        handler(type, parameters, body, surface, width, height);
    }
}

void cZuzodIvodureFrame::MC_ObjectPaint(const std::string& type, const std::string& parameters,
                                        const std::string& body, Surface& surface, float x, float y,
                                        float width, float height) {
    if (owner_ && owner_->ObjectPaint) {
        const ObjectPaintHandler handler = owner_->ObjectPaint;
        handler(type, parameters, body, surface, x, y, width, height);
    }
}

}  // namespace cartulo
