#include "platform/MessageBox.h"

#include "platform/AppTexts.h"

#include <QApplication>
#include <QMessageBox>

namespace trv::platform {
namespace {

MessageHook& hook()
{
    static MessageHook h;
    return h;
}

QMessageBox::StandardButtons standardButtons(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok: return QMessageBox::Ok;
    case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon boxIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None: return QMessageBox::NoIcon;
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Stop: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

MsgAnswer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Retry: return MsgAnswer::Retry;
    case QMessageBox::Ok: return MsgAnswer::Ok;
    default: return MsgAnswer::Cancel;
    }
}

} // namespace

MessageHook setMessageHook(MessageHook h)
{
    return std::exchange(hook(), std::move(h));
}

MsgAnswer showMessage(const QString& text, MsgButtons buttons, MsgIcon icon, QWidget* parent)
{
    if (hook())
        return hook()(MessageRequest{text, buttons, icon});
    QMessageBox box(boxIcon(icon), QString::fromLatin1(text::kAppTitle), text, standardButtons(buttons),
                    parent ? parent : QApplication::activeWindow());
    return answerOf(box.exec());
}

} // namespace trv::platform
