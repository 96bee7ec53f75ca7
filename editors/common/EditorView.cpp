#include "editors/common/EditorView.h"

#include "editors/common/HelpKey.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>

namespace trv::editors {

EditorView::EditorView(EditorHost& host, QWidget* parent) : QWidget(parent), host_(host)
{
}

void EditorView::closeFrame()
{
    QWidget* frame = parentWidget() ? parentWidget() : this;
    QCoreApplication::postEvent(frame, new QEvent(static_cast<QEvent::Type>(kCloseFrameEvent)));
}

void EditorView::placeFrame(const QString& title)
{
    setWindowTitle(title);
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!frame)
        return;
    frame->setWindowTitle(title);
    frame->adjustSize();
    frame->move(0, 0);
}

bool isHelpKey(const QKeyEvent* event)
{
    return event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier;
}

bool claimsHelpKey(QEvent* event)
{
    // An F1 shortcut of the main window would otherwise take the key before it reaches the widget;
    // accepting the override delivers it as a key press.
    if (event->type() != QEvent::ShortcutOverride || !isHelpKey(static_cast<QKeyEvent*>(event)))
        return false;
    event->accept();
    return true;
}

bool EditorView::event(QEvent* event)
{
    if (claimsHelpKey(event))
        return true;
    return QWidget::event(event);
}

void EditorView::keyPressEvent(QKeyEvent* event)
{
    if (isHelpKey(event)) {
        host_.showHelp(helpContext());
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace trv::editors
