// How a refused entry is pointed out: the keyboard focus on the control, with its text selected.
#pragma once

class QWidget;

namespace trv::editors {

// Focuses the control and selects all its text: the control itself when it is an edit, else the
// edit inside it (a number edit, an editable list); other controls just take the focus.
//
// A refusal's message box has the focus when the control is pointed at, so its window is not
// active yet; the window manager activates it again only later, and the window would then restore
// the focus it remembered from before the box. The control is therefore also kept as the window's
// refused field, which the window gives the focus on that activation (refusedFieldOf).
void focusWithTextSelected(QWidget* control);

// The control a refusal pointed at while `window` was not active, and forgets it: the window
// focuses it on its next activation instead of what it remembered. nullptr when there is none (or
// it has gone); a refused field of another window stays kept for that window.
QWidget* takeRefusedField(const QWidget* window);

} // namespace trv::editors
