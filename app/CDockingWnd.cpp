#include "app/CDockingWnd.h"

#include "app/CommandEvent.h"
#include "app/DocTemplate.h"
#include "app/ShellTexts.h"
#include "database/Layout.h"
#include "editors/EditorCatalog.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace trv::app {
namespace {

using editors::EditorKind;

constexpr int kStateRole = Qt::UserRole + 1;
constexpr int kTreeControlId = 104;

// Where an editor window's item hangs: the channel windows below the deskset settings window, the
// paging windows below the Paging folder (which opens nothing), the others below the root.
enum class Branch { Root, Deskset, Paging };

Branch branchOf(EditorKind kind)
{
    switch (kind) {
    case EditorKind::Channel:
        return Branch::Deskset;
    case EditorKind::PagingFormats:
    case EditorKind::SpeedPaging:
    case EditorKind::CustomPagingTones:
        return Branch::Paging;
    default:
        return Branch::Root;
    }
}

QString treeLabelOf(EditorKind kind, int channel = 0)
{
    return editors::findEditor(kind, channel)->treeLabel;
}

// A paging format is configured when its 8-byte label holds at least one character.
bool anyPagingFormatConfigured(const db::Image& image)
{
    for (int k = 0; k < db::kPagingFormats.count; ++k) {
        if (!db::readText(image, db::kPagingFormats.record(k) + db::paging::kLabel, db::paging::kLabelSize)
                 .empty())
            return true;
    }
    return false;
}

} // namespace

ConfigTreeCtrl::ConfigTreeCtrl(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("ConfigTreeCtrl%1").arg(kTreeControlId));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setItemsExpandable(true);
    setExpandsOnDoubleClick(false);
    setDragEnabled(false);
    setAcceptDrops(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(treeIconSize());
    setIndentation(14); // the full labels fit in the fixed width
    setFrameShadow(QFrame::Sunken);
    setUniformRowHeights(true);
    // Long database names keep their start and their extension.
    setTextElideMode(Qt::ElideMiddle);
    header()->setStretchLastSection(true);
}

QTreeWidgetItem* ConfigTreeCtrl::itemOnLabelOrIcon(const QPoint& pos) const
{
    QTreeWidgetItem* item = itemAt(pos);
    if (!item)
        return nullptr;
    const QRect cell = visualItemRect(item);
    // The cell starts after the indentation and branch; the icons and the label follow.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int right = cell.left() + iconSize().width() + 2 * margin +
                      fontMetrics().horizontalAdvance(item->text(0)) + 2 * margin;
    return pos.x() >= cell.left() && pos.x() <= right ? item : nullptr;
}

bool ConfigTreeCtrl::event(QEvent* event)
{
    // Tab, Enter and Space open the current item and never move the focus on.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
                if (QTreeWidgetItem* item = currentItem())
                    emit openRequested(item);
                return true;
            }
            break;
        default:
            break;
        }
    }
    return QTreeWidget::event(event);
}

void ConfigTreeCtrl::mousePressEvent(QMouseEvent* event)
{
    QTreeWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        if (QTreeWidgetItem* item = itemOnLabelOrIcon(event->position().toPoint()))
            emit openRequested(item);
    }
}

void ConfigTreeCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) {
        if (QTreeWidgetItem* item = itemOnLabelOrIcon(event->position().toPoint()))
            emit openRequested(item);
    }
}

CDockingWnd::CDockingWnd(QObject* commandTarget, QWidget* parent)
    : QDockWidget(text::kTreeWindowName, parent), commandTarget_(commandTarget),
      tree_(new ConfigTreeCtrl(this))
{
    setObjectName(QStringLiteral("DockingTreeWindow"));
    // Docked for good: no dragging out, no floating, no closing, no resizing.
    setFeatures(QDockWidget::NoDockWidgetFeatures);
    setAllowedAreas(Qt::LeftDockWidgetArea);
    setTitleBarWidget(new QWidget(this));
    setFixedWidth(kWidth);
    setWidget(tree_);
    connect(tree_, &ConfigTreeCtrl::openRequested, this, &CDockingWnd::onOpenRequested);
    build();
}

void CDockingWnd::build()
{
    root_ = new QTreeWidgetItem(tree_, {docString(DocString::NewName)});
    auto add = [this](QTreeWidgetItem* parent, QLatin1StringView label) {
        auto* item = new QTreeWidgetItem(parent, {QString(label)});
        setState(item, TreeState::Normal);
        return item;
    };
    setState(root_, TreeState::Normal);
    // The editor windows in the catalogue's order, which is the tree's.
    QTreeWidgetItem* deskset = nullptr;
    QTreeWidgetItem* paging = nullptr;
    for (const editors::EditorDescriptor& editor : editors::editorCatalog()) {
        QTreeWidgetItem* parent = root_;
        switch (branchOf(editor.kind)) {
        case Branch::Deskset:
            parent = deskset;
            break;
        case Branch::Paging:
            if (!paging)
                paging = add(root_, text::kTreePaging);
            parent = paging;
            break;
        case Branch::Root:
            break;
        }
        QTreeWidgetItem* item = add(parent, editor.treeLabel);
        if (editor.kind == EditorKind::DesksetCfg)
            deskset = item;
    }
    root_->setExpanded(true);
    deskset->setExpanded(true);
    paging->setExpanded(true);
    tree_->setCurrentItem(root_);
}

void CDockingWnd::setRootLabel(const QString& label, const QString& fullPath)
{
    root_->setText(0, label);
    root_->setToolTip(0, fullPath.isEmpty() ? label : fullPath);
}

QString CDockingWnd::rootLabel() const
{
    return root_->text(0);
}

QTreeWidgetItem* CDockingWnd::findItem(const QString& label) const
{
    // Depth-first from the root's children, in display order.
    std::vector<QTreeWidgetItem*> pending;
    for (int k = root_->childCount() - 1; k >= 0; --k)
        pending.push_back(root_->child(k));
    while (!pending.empty()) {
        QTreeWidgetItem* item = pending.back();
        pending.pop_back();
        if (item->text(0) == label)
            return item;
        for (int k = item->childCount() - 1; k >= 0; --k)
            pending.push_back(item->child(k));
    }
    return nullptr;
}

TreeState CDockingWnd::itemState(const QString& label) const
{
    const QTreeWidgetItem* item = findItem(label);
    return item ? static_cast<TreeState>(item->data(0, kStateRole).toInt()) : TreeState::Normal;
}

void CDockingWnd::setState(QTreeWidgetItem* item, TreeState state)
{
    item->setData(0, kStateRole, static_cast<int>(state));
    item->setIcon(0, treeItemIcon(state));
    item->setDisabled(state == TreeState::Disabled);
    // An open window's item also stands out by a tinted row, not only by its state image (a
    // bold label would no longer fit the tree's fixed width).
    item->setBackground(0, state == TreeState::Open ? QBrush(openItemTint()) : QBrush());
}

void CDockingWnd::setItemDisabled(const QString& label, bool disabled)
{
    QTreeWidgetItem* item = findItem(label);
    if (!item)
        return;
    // Enabling an item whose window is open keeps it showing as open.
    const bool keepOpen = !disabled && itemState(label) == TreeState::Open;
    if (!keepOpen)
        setState(item, disabled ? TreeState::Disabled : TreeState::Normal);
    emit itemDisabledChanged(label, disabled);
}

void CDockingWnd::refreshChannelItems(const db::Image& image)
{
    setItemDisabled(treeLabelOf(EditorKind::DesksetCfg), false);
    const std::uint8_t type = image[db::deskset::kDesksetType];
    if (type != db::deskset::kSingleChannel && type != db::deskset::kMultiChannel)
        return;
    for (int channel : {2, 3, 4})
        setItemDisabled(treeLabelOf(EditorKind::Channel, channel), type == db::deskset::kSingleChannel);
}

void CDockingWnd::refreshSpeedPagingItem(const db::Image& image)
{
    setItemDisabled(treeLabelOf(EditorKind::SpeedPaging), !anyPagingFormatConfigured(image));
}

void CDockingWnd::refreshAllStates(const db::Image& image)
{
    const std::uint8_t type = image[db::deskset::kDesksetType];
    setItemDisabled(treeLabelOf(EditorKind::DesksetCfg), false);
    if (type == db::deskset::kMultiChannel) {
        for (int channel : {4, 3, 2})
            setItemDisabled(treeLabelOf(EditorKind::Channel, channel), false);
    }
    if (type == db::deskset::kSingleChannel || type == db::deskset::kMultiChannel)
        setItemDisabled(treeLabelOf(EditorKind::Channel, 1), false);
    if (type == db::deskset::kSingleChannel) {
        for (int channel : {2, 3, 4})
            setItemDisabled(treeLabelOf(EditorKind::Channel, channel), true);
    }
    setItemDisabled(treeLabelOf(EditorKind::Buttons), false);
    setItemDisabled(treeLabelOf(EditorKind::PagingFormats), false);
    refreshSpeedPagingItem(image);
    setItemDisabled(treeLabelOf(EditorKind::CustomPagingTones), false);
    setItemDisabled(treeLabelOf(EditorKind::PttAliases), false);
}

void CDockingWnd::markOpen(const QString& label)
{
    QTreeWidgetItem* item = findItem(label);
    if (!item)
        return;
    setState(item, TreeState::Open);
    tree_->setCurrentItem(item);
}

void CDockingWnd::editorClosed(const QString& label)
{
    QTreeWidgetItem* item = findItem(label);
    if (!item)
        return;
    if (itemState(label) != TreeState::Disabled)
        setState(item, TreeState::Normal);
    tree_->setCurrentItem(item);
    tree_->setFocus();
}

void CDockingWnd::onOpenRequested(QTreeWidgetItem* item)
{
    if (!item || item == root_ || item->isDisabled())
        return;
    const QString label = item->text(0);
    const editors::EditorDescriptor* editor = editors::findEditorByTreeLabel(label);
    if (!editor)
        return; // "Paging" is a folder
    markOpen(label);
    postCommand(commandTarget_, editor->command);
}

} // namespace trv::app
