#include "app/EditorWindows.h"

#include "app/CChildFrame.h"
#include "app/CDockingWnd.h"
#include "app/CTRVApp.h"
#include "app/CommandEvent.h"
#include "app/EditorCommands.h"
#include "app/HelpWindow.h"
#include "editors/EditorCatalog.h"
#include "editors/common/EditorView.h"
#include "editors/common/ListWindow.h"

#include <QAction>
#include <QLayout>
#include <QMdiArea>
#include <QPointer>

#include <algorithm>

namespace trv::app {

EditorWindows::EditorWindows(CTRVApp& app, QMdiArea& workspace, CDockingWnd& tree, HelpWindow& help,
                             std::function<QAction*(int)> viewAction, QObject* parent)
    : QObject(parent), app_(app), workspace_(workspace), tree_(tree), help_(help),
      viewAction_(std::move(viewAction))
{
    connect(&tree_, &CDockingWnd::itemDisabledChanged, this, &EditorWindows::onTreeItemDisabled);
}

db::CTRVDoc& EditorWindows::document()
{
    return app_.document();
}

bool EditorWindows::isDatabaseOpen() const
{
    return app_.hasDocument();
}

std::vector<CChildFrame*> EditorWindows::frames() const
{
    std::vector<CChildFrame*> found;
    for (QMdiSubWindow* window : workspace_.subWindowList(QMdiArea::CreationOrder)) {
        if (auto* frame = qobject_cast<CChildFrame*>(window))
            found.push_back(frame);
    }
    return found;
}

std::vector<editors::EditorView*> EditorWindows::openViews() const
{
    std::vector<editors::EditorView*> views;
    if (!isDatabaseOpen())
        return views;
    for (db::EditorWindow* window : app_.document().editorWindows()) {
        if (auto* view = dynamic_cast<editors::EditorView*>(window))
            views.push_back(view);
    }
    return views;
}

CChildFrame* EditorWindows::frameOf(editors::EditorView* view) const
{
    return qobject_cast<CChildFrame*>(view->parentWidget());
}

void EditorWindows::activate(CChildFrame* frame)
{
    workspace_.setActiveSubWindow(frame);
    frame->view()->setFocus();
    frame->update();
}

void EditorWindows::destroyFrame(CChildFrame* frame)
{
    // Off the document's list and the tree at once; the widget itself goes once the event that
    // asked for it (perhaps one of its own) has finished.
    frame->release();
    workspace_.removeSubWindow(frame);
    frame->hide();
    frame->deleteLater();
}

void EditorWindows::closeViewsIf(const std::function<bool(const editors::EditorView&)>& match)
{
    for (editors::EditorView* view : openViews()) {
        if (!match(*view))
            continue;
        if (CChildFrame* frame = frameOf(view))
            destroyFrame(frame);
    }
}

void EditorWindows::closeAll()
{
    for (CChildFrame* frame : frames())
        destroyFrame(frame);
}

bool EditorWindows::isEditorOpen(editors::EditorKind kind)
{
    const std::vector<editors::EditorView*> views = openViews();
    return std::any_of(views.begin(), views.end(),
                       [kind](const editors::EditorView* view) { return view->kind() == kind; });
}

void EditorWindows::openOrActivateEditor(editors::EditorKind kind, int channel)
{
    if (!isDatabaseOpen())
        return;
    for (editors::EditorView* view : openViews()) {
        if (view->kind() != kind || (channel != 0 && view->channelIndex() != channel - 1))
            continue;
        if (CChildFrame* frame = frameOf(view))
            activate(frame);
        return;
    }
    const ViewFactory factory = viewFactory(kind);
    const editors::EditorDescriptor* editor = editors::findEditor(kind, channel);
    if (!factory) {
        // Nothing opens for a kind without a view: its tree item must not claim an open window.
        if (editor && tree_.itemState(editor->treeLabel) == TreeState::Open)
            tree_.editorClosed(editor->treeLabel);
        return;
    }
    if (channel != 0)
        document().setNextChannelIndex(channel - 1);
    editors::EditorView* view = factory(*this, nullptr);
    if (!view)
        return;
    auto* frame = new CChildFrame(view, document(), [this](const QString& label) {
        tree_.editorClosed(label);
        emit windowsChanged();
    });
    workspace_.addSubWindow(frame);
    frame->layout()->setSizeConstraint(QLayout::SetFixedSize);
    view->initialFill();
    frame->show();
    workspace_.setActiveSubWindow(frame);
    if (QWidget* first = view->initialFocus())
        first->setFocus(Qt::OtherFocusReason);
    else
        view->setFocus();
    if (editor)
        tree_.markOpen(view->treeLabel());
    emit windowsChanged();
}

EditorWindows::ViewFactory EditorWindows::viewFactory(editors::EditorKind kind) const
{
    if (const auto standIn = standIns_.find(kind); standIn != standIns_.end())
        return standIn->second;
    return editors::viewFactory(kind); // empty when the catalogue has no view of the kind
}

void EditorWindows::standInView(editors::EditorKind kind, ViewFactory factory)
{
    standIns_[kind] = std::move(factory);
}

void EditorWindows::dropStandIns()
{
    standIns_.clear();
}

void EditorWindows::closeEditor(editors::EditorKind kind)
{
    closeViewsIf([kind](const editors::EditorView& view) { return view.kind() == kind; });
}

void EditorWindows::closeAndReopenEditor(editors::EditorKind kind)
{
    closeEditor(kind);
    openOrActivateEditor(kind);
}

void EditorWindows::closeChannelEditors2To4()
{
    closeViewsIf([](const editors::EditorView& view) {
        return view.kind() == editors::EditorKind::Channel && view.channelIndex() >= 1;
    });
}

void EditorWindows::activateNextEditor()
{
    workspace_.activateNextSubWindow();
    if (auto* frame = qobject_cast<CChildFrame*>(workspace_.activeSubWindow()))
        frame->view()->setFocus();
}

bool EditorWindows::openAtRecord(editors::EditorKind kind, int channel, int record)
{
    const editors::EditorDescriptor* editor = editors::findEditor(kind, channel);
    if (!isDatabaseOpen() || !editor || tree_.itemState(editor->treeLabel) == TreeState::Disabled)
        return false;
    openOrActivateEditor(kind, channel);
    for (editors::EditorView* view : openViews()) {
        if (view->kind() != kind || (channel != 0 && view->channelIndex() != channel - 1))
            continue;
        auto* list = dynamic_cast<editors::ListWindow*>(view);
        return !list || list->selectRecord(record);
    }
    return false;
}

void EditorWindows::notifyImageChanged(const editors::ImageChange& change, editors::EditorView* source)
{
    // A view may close windows while it handles the change: each is checked before it is told.
    std::vector<QPointer<editors::EditorView>> views;
    for (CChildFrame* frame : frames()) {
        if (frame->view() != source)
            views.emplace_back(frame->view());
    }
    for (const QPointer<editors::EditorView>& view : views) {
        const std::vector<editors::EditorView*> open = openViews();
        if (view && std::find(open.begin(), open.end(), view.data()) != open.end())
            view->imageChanged(change);
    }
    emit imageChanged();
}

void EditorWindows::refreshChannelItems()
{
    tree_.refreshChannelItems();
}

void EditorWindows::refreshSpeedPagingItem()
{
    tree_.refreshSpeedPagingItem();
}

void EditorWindows::setTreeItemDisabled(editors::EditorKind kind, bool disabled)
{
    for (const editors::EditorDescriptor& editor : editors::editorCatalog()) {
        if (editor.kind == kind)
            tree_.setItemDisabled(editor.treeLabel, disabled);
    }
}

// While the buttons editor is open its working table holds assignments the image does not have yet,
// and the image holds those its Cancel would bring back: the guards of the paging format and speed
// page deletes must see both.
std::vector<editors::ButtonEntries> EditorWindows::buttonTables()
{
    std::vector<editors::ButtonEntries> tables{editors::imageButtonTable(db::theImage())};
    for (editors::EditorView* view : openViews()) {
        if (const auto* editor = dynamic_cast<const editors::ButtonTableEditor*>(view))
            tables.push_back(editor->workingButtonTable());
    }
    return tables;
}

void EditorWindows::showHelp(int context)
{
    // Beside the editor window that asks (the active one); a modal dialog it opened comes first.
    help_.showContext(context, workspace_.activeSubWindow());
}

void EditorWindows::onEditorCommand(int command)
{
    if (!isDatabaseOpen())
        return;
    const editors::EditorDescriptor* editor = editors::findEditorByCommand(command);
    if (!editor)
        return;
    // A command whose tree item is disabled is refused as the item is, whoever sent it (the View
    // menu, a keyboard shortcut): the buttons editor while the speed paging window is open.
    if (editor->mayBeDisabled && tree_.itemState(editor->treeLabel) == TreeState::Disabled)
        return;
    openOrActivateEditor(editor->kind, editor->channel);
}

void EditorWindows::onViewMenuCommand(int viewMenuId)
{
    const editors::EditorDescriptor* editor = editorOfViewMenuId(viewMenuId);
    if (!editor || !isDatabaseOpen())
        return;
    if (editor->mayBeDisabled && !viewAction_(viewMenuId)->isEnabled())
        return; // grayed with its tree item
    tree_.markOpen(editor->treeLabel);
    // Posted to the main window, like the tree's own commands: handled after this one.
    postCommand(parent(), editor->command);
}

void EditorWindows::onTreeItemDisabled(const QString& label, bool disabled)
{
    const editors::EditorDescriptor* editor = editors::findEditorByTreeLabel(label);
    if (editor && editor->mayBeDisabled) {
        if (QAction* viewItem = viewAction_(viewMenuIdOf(*editor)))
            viewItem->setEnabled(!disabled);
    }
}

} // namespace trv::app
