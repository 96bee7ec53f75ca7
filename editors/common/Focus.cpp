#include "editors/common/Focus.h"

#include <QLineEdit>

namespace trv::editors {

void focusWithTextSelected(QWidget* control)
{
    if (!control)
        return;
    auto* edit = qobject_cast<QLineEdit*>(control);
    if (!edit)
        edit = control->findChild<QLineEdit*>();
    if (!edit) {
        control->setFocus(Qt::OtherFocusReason);
        return;
    }
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll(); // also scrolls the edit so that the selected text shows
}

} // namespace trv::editors
