// What a message box's flags ask for: its buttons with their result codes,
// the icon, the first focused button and the alignment; and how a typed
// letter or a cancelling key is answered. No widgets here.
#pragma once

#include <QChar>
#include <QString>
#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace cartulo::support {

// Flag values, added together.
namespace msg {
inline constexpr int kOkOnly = 0;
inline constexpr int kOkCancel = 1;
inline constexpr int kAbortRetryIgnore = 2;
inline constexpr int kYesNoCancel = 3;
inline constexpr int kYesNo = 4;
inline constexpr int kRetryCancel = 5;
inline constexpr int kCritical = 16;
inline constexpr int kQuestion = 32;
inline constexpr int kExclamation = 48;
inline constexpr int kInformation = 64;
inline constexpr int kDefaultButton1 = 0;
inline constexpr int kDefaultButton2 = 256;
inline constexpr int kDefaultButton3 = 512;
inline constexpr int kRightAligned = 524288;
}  // namespace msg

// The result code of each button.
enum class MsgResult : int {
    Ok = 1,
    Cancel = 2,
    Abort = 3,
    Retry = 4,
    Ignore = 5,
    Yes = 6,
    No = 7
};

enum class MsgIcon : int {
    None = 0,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64
};

// Button captions by result code (index 0 unused). Refilled with the Spanish
// defaults whenever entry 1 is empty, so a caller may change them before a box
// is shown.
std::array<QString, 8>& MsgBoxCaptions();
QString MsgBoxCaption(MsgResult code);

struct MessageLayout {
    std::vector<MsgResult> buttons;  // left to right
    MsgIcon icon = MsgIcon::None;
    std::size_t defaultButton = 0;  // index into buttons
    bool rightAligned = false;
    // What Escape and the window's close button answer: "Cancelar" where
    // there is one, otherwise "No", "Anular", or the only "Aceptar".
    MsgResult cancelButton = MsgResult::Ok;
};

// Button sets 6 to 15 (set 15 is left free for a special use) show
// "Aceptar" alone, so a box can always be answered.
MessageLayout decodeMessageFlags(int flags);

// The first button, in order, whose caption begins with the typed character
// (letter case and a "&" marker ignored).
std::optional<MsgResult> buttonForCharacter(const MessageLayout& layout, QChar typed);

// The name of the system sound for an icon.
std::string_view systemSoundName(MsgIcon icon);

}  // namespace cartulo::support
