// An editor window's own keyboard mnemonics win over the main window's menu bar while the window
// has the focus, as a form's mnemonics do: Alt+letter goes to the window's control with that
// mnemonic when it has one, and to the menu bar only otherwise.
#pragma once

#include <QString>

class QKeyEvent;
class QWidget;

namespace trv::editors {

// The text whose '&' marks a control's mnemonic: a button's, a group's title, or the text of a label
// that names a control; empty for anything else.
QString mnemonicText(const QWidget* widget);

// The visible, enabled control inside `form` whose mnemonic is the key (a button, a labelled
// control, a group), the next one after the focus when several share it; nullptr when none.
QWidget* mnemonicTarget(QWidget* form, const QKeyEvent* event);

// Does what the control's mnemonic does: a button is focused and clicked, a label focuses its
// control (its text selected), a group focuses its first control. With `onlyFocus` (the mnemonic
// is shared) the control only takes the focus.
void activateMnemonic(QWidget* target, bool onlyFocus);

// Installs, once, the application-wide filter that gives mnemonics to the editor windows first.
void installEditorMnemonics();

} // namespace trv::editors
