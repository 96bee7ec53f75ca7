// Every message box of the program goes through showMessage(), captioned with the application
// title. Tests install a hook that answers (and records) the boxes instead of showing them.
#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <memory>

class QMessageBox;
class QWidget;

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

// The box keeps the text's own line breaks and wraps nothing else: it is as wide as the longest
// line, within the screen.
MsgAnswer showMessage(const QString& text, MsgButtons buttons = MsgButtons::Ok,
                      MsgIcon icon = MsgIcon::Exclamation, QWidget* parent = nullptr,
                      const QString& details = {});

MsgAnswer showMessage(const MessageRequest& request, QWidget* parent = nullptr);

// The box showMessage() runs when no hook is set, for pictures and tests that show it themselves.
std::unique_ptr<QMessageBox> createMessageBox(const MessageRequest& request, QWidget* parent = nullptr);

// While a hook is set, showMessage() calls it instead of opening a box. Returns the previous hook.
using MessageHook = std::function<MsgAnswer(const MessageRequest&)>;
MessageHook setMessageHook(MessageHook hook);

} // namespace trv::platform
