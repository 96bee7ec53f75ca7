#include "editors/common/EditorView.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>

namespace trv::editors {

EditorView::EditorView(EditorHost& host, QWidget* parent) : QWidget(parent), host_(host) {}

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

void EditorView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        host_.showHelp(helpContext());
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace trv::editors
