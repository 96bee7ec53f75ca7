#include "app/CChildFrame.h"

#include "database/CTRVDoc.h"
#include "editors/common/EditorView.h"

#include <QApplication>
#include <QCloseEvent>

#include <utility>

namespace trv::app {

bool modalDialogOpenOver(const QWidget* window)
{
    for (const QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible() || !top->isModal())
            continue;
        for (const QWidget* w = top; w; w = w->parentWidget())
            if (w == window)
                return true;
    }
    return false;
}

bool anyModalDialogOpen()
{
    return QApplication::activeModalWidget() != nullptr;
}

CChildFrame::CChildFrame(editors::EditorView* view, db::CTRVDoc& document,
                         std::function<void(const QString&)> onClosed, QWidget* parent)
    : QMdiSubWindow(parent), view_(view), document_(&document), onClosed_(std::move(onClosed))
{
    // Caption and close box only: no resizing border, no minimize or maximize box.
    setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setOption(QMdiSubWindow::RubberBandResize, false);
    setWidget(view);
    setWindowTitle(view->treeLabel());
    document.addEditorWindow(view);
}

CChildFrame::~CChildFrame()
{
    release();
}

bool CChildFrame::event(QEvent* event)
{
    if (event->type() == static_cast<QEvent::Type>(editors::kCloseFrameEvent)) {
        close();
        return true;
    }
    return QMdiSubWindow::event(event);
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    // The dialog's event loop runs inside the view; the view must outlive it. The Close button, the
    // close box and an accessibility action all end here.
    if (modalDialogOpenOver(this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted())
        release();
}

void CChildFrame::release()
{
    if (!document_)
        return;
    db::CTRVDoc* document = std::exchange(document_, nullptr); // once, even if the hook closes it again
    view_->viewClosing();
    const QString label = view_->treeLabel();
    document->removeEditorWindow(view_);
    if (onClosed_)
        onClosed_(label);
}

} // namespace trv::app
