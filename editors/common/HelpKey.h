// F1 in an editor window or dialog opens that window's own help context, even where the main
// window has an F1 shortcut of its own.
#pragma once

class QEvent;
class QKeyEvent;

namespace trv::editors {

bool isHelpKey(const QKeyEvent* event);
// Accepts the shortcut override of F1, so that the key reaches the widget as a key press; true
// when the event was that override.
bool claimsHelpKey(QEvent* event);

} // namespace trv::editors
