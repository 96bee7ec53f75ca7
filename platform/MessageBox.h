// Every message box of the program goes through showMessage(), captioned with the application
// title. Tests install a hook that answers (and records) the boxes instead of showing them.
#pragma once

#include "platform/MessageRequest.h"

#include <QString>

#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

namespace trv::platform {

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
