// What a message box asks and what the user answers, for code that asks without showing the box
// itself (QtCore only; the box is MessageBox.h's).
#pragma once

#include <QString>

#include <optional>

namespace trv::platform {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgIcon { None, Information, Exclamation, Question, Stop };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry };

struct MessageRequest {
    QString text;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::Exclamation;
    QString details; // shown on request under the text ("Show Details..."); empty: none
    std::optional<MsgAnswer> defaultAnswer; // the button Enter presses; none: the style's choice
};

} // namespace trv::platform
