#include "windows/win1252_validator.h"

#include <algorithm>

#include "windows/card_text_rules.h"

namespace cartulo::windows {

QValidator::State Win1252Validator::validate(QString& input, int& position) const {
    SoloWin1252 kept = FiltrarWin1252(input);
    if (kept.leftOut.isEmpty()) return Acceptable;
    // The caret stays after what remains of the text before it.
    const qsizetype before = std::clamp<qsizetype>(position, 0, input.size());
    position = static_cast<int>(FiltrarWin1252(QStringView(input).first(before)).text.size());
    input = std::move(kept.text);
    if (onLeftOut_) onLeftOut_(kept.leftOut);
    return Acceptable;
}

}  // namespace cartulo::windows
