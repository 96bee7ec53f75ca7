// How a refused entry is pointed out: the keyboard focus on the control, with its text selected.
#pragma once

class QWidget;

namespace trv::editors {

// Focuses the control and selects all its text: the control itself when it is an edit, else the
// edit inside it (a number edit, an editable list); other controls just take the focus.
void focusWithTextSelected(QWidget* control);

} // namespace trv::editors
