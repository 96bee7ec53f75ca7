// The keys every tool window of the shell (Check Database, Fleet) answers: F1 opens its help page,
// Escape closes it.
#pragma once

#include <QKeyEvent>
#include <QWidget>

namespace trv::app {

// True when the key was one of them and has been handled.
template <typename ShowHelp>
bool handleToolWindowKey(QWidget& window, const QKeyEvent& event, ShowHelp showHelp)
{
    switch (event.key()) {
    case Qt::Key_F1:
        showHelp();
        return true;
    case Qt::Key_Escape:
        window.close();
        return true;
    default:
        return false;
    }
}

} // namespace trv::app
