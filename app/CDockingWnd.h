// The configuration tree window, docked at the left edge of the main window while a database is
// open. Its items open the editor windows; their state images show which windows are open and
// which areas cannot be used with the present deskset type or paging formats.
#pragma once

#include "app/ShellArt.h"
#include "database/Image.h"

#include <QDockWidget>
#include <QTreeWidget>

namespace trv::app {

// The tree control (identifier 104). A click or double click on an item's icon or label, and Tab,
// Enter or Space on the current item, ask for that item to be opened.
class ConfigTreeCtrl : public QTreeWidget {
    Q_OBJECT
public:
    explicit ConfigTreeCtrl(QWidget* parent = nullptr);

    // Whether pos (viewport coordinates) lies on an item's state icon, image or label.
    QTreeWidgetItem* itemOnLabelOrIcon(const QPoint& pos) const;

signals:
    void openRequested(QTreeWidgetItem* item);

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class CDockingWnd : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 220;

    // Editor commands are posted to commandTarget.
    CDockingWnd(QObject* commandTarget, QWidget* parent = nullptr);

    ConfigTreeCtrl* tree() const { return tree_; }

    // The root shows label; its tool tip shows the full path of the database (label when none).
    void setRootLabel(const QString& label, const QString& fullPath = {});
    QString rootLabel() const;

    void refreshAllStates(const db::Image& image = db::theImage());
    void refreshChannelItems(const db::Image& image = db::theImage());
    void refreshSpeedPagingItem(const db::Image& image = db::theImage());

    void markOpen(const QString& label);
    void editorClosed(const QString& label);
    void setItemDisabled(const QString& label, bool disabled);

    // Depth-first search below the root; the root itself is never returned.
    QTreeWidgetItem* findItem(const QString& label) const;
    TreeState itemState(const QString& label) const;

signals:
    // The View menu item that follows this tree item is grayed or enabled.
    void itemDisabledChanged(const QString& label, bool disabled);

private:
    void build();
    void setState(QTreeWidgetItem* item, TreeState state);
    void onOpenRequested(QTreeWidgetItem* item);

    QObject* commandTarget_;
    ConfigTreeCtrl* tree_;
    QTreeWidgetItem* root_ = nullptr;
};

} // namespace trv::app
