#include "windows/key_rules.h"

#include <algorithm>

namespace cartulo::windows {

bool CancelaKeyPress(int key, Qt::KeyboardModifiers modifiers) {
    if (!(modifiers & Qt::ControlModifier) || (modifiers & Qt::AltModifier)) return false;
    switch (key) {
        case Qt::Key_Z:
        case Qt::Key_X:
        case Qt::Key_C:
        case Qt::Key_V:
        case Qt::Key_Delete:
        case Qt::Key_Insert:
            return false;
        default:
            return true;
    }
}

bool TeclaDeCaracter(int key) {
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return true;
        default:
            // Qt numbers its special keys from Key_Escape on; below are characters.
            return key > 0 && key < Qt::Key_Escape;
    }
}

std::optional<int> FilaPorTecla(int key, Qt::KeyboardModifiers modifiers, int current, int count,
                                int pageSize) {
    const bool ctrl = modifiers & Qt::ControlModifier;
    const int last = count - 1;
    const int step = std::max(pageSize - 1, 1);
    switch (key) {
        case Qt::Key_Up:
            return current > 0 ? current - 1 : current;
        case Qt::Key_Down:
            return current < last ? current + 1 : current;
        case Qt::Key_Home:
            if (!ctrl) return std::nullopt;
            return count > 0 ? 0 : current;
        case Qt::Key_End:
            if (!ctrl) return std::nullopt;
            return count > 0 ? last : current;
        case Qt::Key_PageUp:
            if (count == 0) return current;
            return std::max(current - step, 0);
        case Qt::Key_PageDown:
            if (count == 0) return current;
            return std::min(current + step, last);
        default:
            return std::nullopt;
    }
}

}  // namespace cartulo::windows
