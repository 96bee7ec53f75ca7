#include "editors/common/Focus.h"

#include <QLineEdit>
#include <QPointer>

#include <utility>

namespace trv::editors {

namespace {
QPointer<QWidget>& refusedField()
{
    static QPointer<QWidget> field;
    return field;
}
} // namespace

void focusWithTextSelected(QWidget* control)
{
    if (!control)
        return;
    auto* edit = qobject_cast<QLineEdit*>(control);
    if (!edit)
        edit = control->findChild<QLineEdit*>();
    QWidget* target = edit ? edit : control;
    target->setFocus(Qt::OtherFocusReason);
    if (edit)
        edit->selectAll(); // also scrolls the edit so that the selected text shows
    refusedField() = target->isActiveWindow() ? nullptr : target;
}

QWidget* takeRefusedField(const QWidget* window)
{
    QPointer<QWidget>& field = refusedField();
    if (!field || field->window() != window)
        return nullptr;
    return std::exchange(field, nullptr).data();
}

} // namespace trv::editors
