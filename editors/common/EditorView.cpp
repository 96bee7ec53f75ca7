#include "editors/common/EditorView.h"

#include "editors/EditorCatalog.h"
#include "editors/common/HelpKey.h"
#include "editors/common/Mnemonics.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QRadioButton>

namespace trv::editors {

EditorView::EditorView(EditorHost& host, QWidget* parent) : QWidget(parent), host_(host)
{
    installEditorMnemonics();
}

const EditorDescriptor* EditorView::descriptor() const
{
    return findEditor(kind(), channelIndex() + 1);
}

QString EditorView::treeLabel() const
{
    const EditorDescriptor* editor = descriptor();
    return editor ? QString::fromLatin1(editor->treeLabel) : QString();
}

int EditorView::helpContext() const
{
    const EditorDescriptor* editor = descriptor();
    return editor ? editor->helpContext : 0;
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

namespace {

bool pressable(const QAbstractButton* button)
{
    return button && button->isVisible() && button->isEnabled();
}

// The push button (not a check box or radio button) that has the focus inside the view.
QAbstractButton* focusedPushButton(const QWidget* view)
{
    auto* button = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
    if (!button || !view->isAncestorOf(button) || qobject_cast<QCheckBox*>(button) ||
        qobject_cast<QRadioButton*>(button))
        return nullptr;
    return button;
}

} // namespace

void EditorView::keyPressEvent(QKeyEvent* event)
{
    if (isHelpKey(event)) {
        host_.showHelp(helpContext());
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    QAbstractButton* pressed = nullptr;
    if (modifiers == Qt::NoModifier && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        pressed = focusedPushButton(this);
        if (!pressed && defaultButton())
            pressed = defaultButton();
    } else if (modifiers == Qt::NoModifier && event->key() == Qt::Key_Escape) {
        pressed = cancelButton();
    }
    if (pressable(pressed)) {
        pressed->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace trv::editors
