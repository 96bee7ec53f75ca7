#include "editors/common/Mnemonics.h"

#include "editors/common/EditorView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>

#include <vector>

namespace trv::editors {

namespace {

// Alt with a key and no other modifier: the form of a mnemonic.
bool isMnemonicPress(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers held =
        event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier | Qt::ShiftModifier);
    return held == Qt::AltModifier && event->key() != Qt::Key_Alt && event->key() != Qt::Key_unknown;
}

bool usable(const QWidget* widget)
{
    if (!widget->isVisible() || !widget->isEnabled())
        return false;
    const auto* label = qobject_cast<const QLabel*>(widget);
    return !label || (label->buddy()->isVisible() && label->buddy()->isEnabled());
}

// The controls of the form with this mnemonic, in focus-chain order.
std::vector<QWidget*> controlsWithMnemonic(QWidget* form, const QKeyEvent* event)
{
    const QKeyCombination pressed(Qt::AltModifier, static_cast<Qt::Key>(event->key()));
    std::vector<QWidget*> found;
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        const QKeySequence mnemonic = QKeySequence::mnemonic(mnemonicText(widget));
        if (!mnemonic.isEmpty() && mnemonic[0] == pressed && usable(widget))
            found.push_back(widget);
    }
    return found;
}

// The widget that takes the focus when the control's mnemonic is used.
QWidget* focusOf(QWidget* target)
{
    if (auto* label = qobject_cast<QLabel*>(target))
        return label->buddy();
    if (qobject_cast<QGroupBox*>(target)) {
        QWidget* next = target->nextInFocusChain();
        return next && target->isAncestorOf(next) ? next : target;
    }
    return target;
}

EditorView* enclosingView(QObject* receiver)
{
    for (auto* widget = qobject_cast<QWidget*>(receiver); widget; widget = widget->parentWidget()) {
        if (auto* view = qobject_cast<EditorView*>(widget))
            return view;
        if (widget->isWindow())
            return nullptr;
    }
    return nullptr;
}

class EditorMnemonicFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!isMnemonicPress(key))
            return false;
        EditorView* view = enclosingView(receiver);
        if (!view)
            return false;
        const std::vector<QWidget*> controls = controlsWithMnemonic(view, key);
        if (controls.empty())
            return false;
        // The override keeps the menu bar's shortcut from running; the key press that follows
        // is the mnemonic's, and no control gets it as typed text.
        event->accept();
        if (event->type() == QEvent::KeyPress)
            activateMnemonic(mnemonicTarget(view, key), controls.size() > 1);
        return true;
    }
};

} // namespace

QString mnemonicText(const QWidget* widget)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->buddy() ? label->text() : QString();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    return {};
}

QWidget* mnemonicTarget(QWidget* form, const QKeyEvent* event)
{
    if (!isMnemonicPress(event))
        return nullptr;
    const std::vector<QWidget*> controls = controlsWithMnemonic(form, event);
    if (controls.empty())
        return nullptr;
    // Shared by several: each press moves on to the next one after the focused control.
    const QWidget* focus = QApplication::focusWidget();
    for (std::size_t k = 0; k < controls.size(); ++k) {
        if (focusOf(controls[k]) == focus)
            return controls[(k + 1) % controls.size()];
    }
    return controls.front();
}

void activateMnemonic(QWidget* target, bool onlyFocus)
{
    if (!target)
        return;
    QWidget* focus = focusOf(target);
    if (focus->focusPolicy() != Qt::NoFocus)
        focus->setFocus(Qt::ShortcutFocusReason); // an edit selects its text for this reason
    if (onlyFocus)
        return;
    if (auto* button = qobject_cast<QAbstractButton*>(focus))
        button->click();
    else if (auto* group = qobject_cast<QGroupBox*>(target); group && group->isCheckable())
        group->setChecked(!group->isChecked());
}

void installEditorMnemonics()
{
    static EditorMnemonicFilter* filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new EditorMnemonicFilter(qApp);
    qApp->installEventFilter(filter);
}

} // namespace trv::editors
