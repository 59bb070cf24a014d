#include "support/message_flags.h"

namespace cartulo::support {

namespace {

using enum MsgResult;

std::vector<MsgResult> buttonSet(int set) {
    switch (set) {
        case 1:
            return {Ok, Cancel};
        case 2:
            return {Abort, Retry, Ignore};
        case 3:
            return {Yes, No, Cancel};
        case 4:
            return {Yes, No};
        case 5:
            return {Retry, Cancel};
        default:
            return {Ok};
    }
}

MsgResult cancellingButton(const std::vector<MsgResult>& buttons) {
    for (MsgResult preferred : {Cancel, No, Abort}) {
        for (MsgResult b : buttons) {
            if (b == preferred) return b;
        }
    }
    return buttons.front();
}

QChar initialOf(const QString& caption) {
    for (QChar c : caption) {
        if (c != QLatin1Char('&')) return c.toLower();
    }
    return {};
}

}  // namespace

std::array<QString, 8>& MsgBoxCaptions() {
    static std::array<QString, 8> captions;
    if (captions[1].isEmpty()) {
        captions = {QString(),
                    QStringLiteral("Aceptar"),
                    QStringLiteral("Cancelar"),
                    QStringLiteral("Anular"),
                    QStringLiteral("Reintentar"),
                    QStringLiteral("Omitir"),
                    QStringLiteral("Sí"),
                    QStringLiteral("No")};
    }
    return captions;
}

QString MsgBoxCaption(MsgResult code) {
    return MsgBoxCaptions()[static_cast<std::size_t>(code)];
}

MessageLayout decodeMessageFlags(int flags) {
    // Taken as the unsigned bits they are, so a negative value decodes too.
    const auto bits = static_cast<unsigned>(flags);
    MessageLayout layout;
    layout.buttons = buttonSet(static_cast<int>(bits % 16));
    switch ((bits / 16) % 16) {
        case 1:
            layout.icon = MsgIcon::Critical;
            break;
        case 2:
            layout.icon = MsgIcon::Question;
            break;
        case 3:
            layout.icon = MsgIcon::Exclamation;
            break;
        case 4:
            layout.icon = MsgIcon::Information;
            break;
        default:
            break;
    }
    const std::size_t defaultButton = (bits / 256) % 16;
    layout.defaultButton = defaultButton < layout.buttons.size() ? defaultButton : 0;
    layout.rightAligned = (bits & msg::kRightAligned) != 0;
    layout.cancelButton = cancellingButton(layout.buttons);
    return layout;
}

std::optional<MsgResult> buttonForCharacter(const MessageLayout& layout, QChar typed) {
    if (typed.isNull() || !typed.isPrint()) return std::nullopt;
    const QChar wanted = typed.toLower();
    for (MsgResult b : layout.buttons) {
        if (initialOf(MsgBoxCaption(b)) == wanted) return b;
    }
    return std::nullopt;
}

std::string_view systemSoundName(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Critical:
            return "SystemHand";
        case MsgIcon::Question:
            return "SystemQuestion";
        case MsgIcon::Exclamation:
            return "SystemExclamation";
        case MsgIcon::Information:
            return "SystemAsterisk";
        case MsgIcon::None:
            break;
    }
    return ".Default";
}

}  // namespace cartulo::support
