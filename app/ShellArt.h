// The pictures of the shell, drawn in code: the application icon, the splash picture, the tree's
// item, state and overlay images and the toolbar's transfer buttons. The icons are painted at the
// size and pixel density they are shown at, so they stay sharp on high-density screens.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace trv::app {

// State images of a tree item.
enum class TreeState { Normal = 1, Open = 2, Disabled = 3 };

QIcon applicationIcon();
// Drawn for the given pixel density (2 on a 200 % screen); its logical size stays the same.
QPixmap splashPicture(qreal pixelRatio = 1.0);

// The item image with its state image in front, as one icon of treeIconSize(); a disabled item
// also carries the overlay on its item image.
QIcon treeItemIcon(TreeState state);
QSize treeIconSize();
// The background of a tree item whose editor window is open.
QColor openItemTint();

QIcon helpIcon();
QIcon downloadIcon();
QIcon uploadIcon();

} // namespace trv::app
