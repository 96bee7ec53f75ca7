#include "platform/MessageBox.h"

#include "platform/AppTexts.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>

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
    case MsgButtons::Ok:
        return QMessageBox::Ok;
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon boxIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None:
        return QMessageBox::NoIcon;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Stop:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

MsgAnswer answerOf(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Retry:
        return MsgAnswer::Retry;
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    default:
        return MsgAnswer::Cancel;
    }
}

QMessageBox::StandardButton buttonOf(MsgAnswer answer)
{
    switch (answer) {
    case MsgAnswer::Yes:
        return QMessageBox::Yes;
    case MsgAnswer::No:
        return QMessageBox::No;
    case MsgAnswer::Retry:
        return QMessageBox::Retry;
    case MsgAnswer::Ok:
        return QMessageBox::Ok;
    case MsgAnswer::Cancel:
        return QMessageBox::Cancel;
    }
    return QMessageBox::NoButton;
}

// QMessageBox wraps any line wider than a fixed share of the screen, which breaks texts that
// carry their own line breaks in odd places. This box undoes that each time the box sizes itself.
class LineBreakMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    bool event(QEvent* event) override
    {
        const bool handled = QMessageBox::event(event);
        if (event->type() == QEvent::Show || event->type() == QEvent::Resize ||
            event->type() == QEvent::LayoutRequest)
            keepOwnLineBreaks();
        return handled;
    }

private:
    void keepOwnLineBreaks()
    {
        auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        if (!label || !label->wordWrap() || !layout())
            return;
        label->setWordWrap(false);
        label->updateGeometry();
        layout()->invalidate();
        layout()->activate();
        const QRect room = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
        const QSize wanted = layout()->totalMinimumSize().expandedTo(layout()->totalSizeHint());
        setFixedSize(std::min(wanted.width(), room.width()), std::min(wanted.height(), room.height()));
    }
};

} // namespace

MessageHook setMessageHook(MessageHook h)
{
    return std::exchange(hook(), std::move(h));
}

std::unique_ptr<QMessageBox> createMessageBox(const MessageRequest& request, QWidget* parent)
{
    auto box = std::make_unique<LineBreakMessageBox>(boxIcon(request.icon), text::kAppTitle, request.text,
                                                     standardButtons(request.buttons),
                                                     parent ? parent : QApplication::activeWindow());
    box->setTextFormat(Qt::PlainText);
    if (!request.details.isEmpty())
        box->setDetailedText(request.details);
    if (request.defaultAnswer)
        box->setDefaultButton(buttonOf(*request.defaultAnswer));
    return box;
}

MsgAnswer showMessage(const QString& text, MsgButtons buttons, MsgIcon icon, QWidget* parent,
                      const QString& details)
{
    return showMessage(MessageRequest{text, buttons, icon, details, std::nullopt}, parent);
}

MsgAnswer showMessage(const MessageRequest& request, QWidget* parent)
{
    if (hook())
        return hook()(request);
    return answerOf(createMessageBox(request, parent)->exec());
}

} // namespace trv::platform
