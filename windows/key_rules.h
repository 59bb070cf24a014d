// Keyboard rules the card and index windows share, apart from their widgets.
#pragma once

#include <Qt>
#include <optional>

namespace cartulo::windows {

// With Ctrl held (and not Alt, which with Ctrl types characters on some
// keyboards), every key but Z, X, C, V, Delete and Insert would type a
// control character: its character is swallowed. Ctrl+Z/X/C/V and
// Ctrl+Delete/Insert keep the editors' own undo and clipboard keys.
bool CancelaKeyPress(int key, Qt::KeyboardModifiers modifiers);

// The key types a character: a printable one, or Enter and Tab, which type a
// line break and a tab. Movements and editing actions (arrows, Home,
// Backspace...) type none, so swallowing leaves the editors' own Ctrl+arrow
// and Ctrl+Backspace working.
bool TeclaDeCaracter(int key);

// The index's navigation keys in its search field: the row they select from
// `current` (-1 when none) in a list of `count` rows, or nothing when the key
// is not one of them. At the ends the row stays as it is, and the key is
// still taken.
std::optional<int> FilaPorTecla(int key, Qt::KeyboardModifiers modifiers, int current, int count,
                                int pageSize);

}  // namespace cartulo::windows
