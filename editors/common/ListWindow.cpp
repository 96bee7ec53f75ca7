#include "editors/common/ListWindow.h"

#include "editors/common/EditorTexts.h"
#include "platform/MessageBox.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>

namespace trv::editors {

ListWindow::ListWindow(EditorHost& host, Setup setup, QWidget* parent)
    : EditorView(host, parent), setup_(std::move(setup)), list_(new QTreeWidget(this)),
      add_(new QPushButton(text::kAdd, this)), edit_(new QPushButton(text::kEdit, this)),
      delete_(new QPushButton(text::kDelete, this)), close_(new QPushButton(text::kClose, this))
{
    QStringList titles;
    for (const Column& c : setup_.columns)
        titles << c.title;
    list_->setColumnCount(static_cast<int>(titles.size()));
    list_->setHeaderLabels(titles);
    list_->setHeaderHidden(titles.size() == 1 && titles.front().isEmpty()); // a plain list box
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setAllColumnsShowFocus(true);
    // The columns keep their widths at any row count: the list has room for them and for the
    // vertical scroll bar that many rows bring, so it never scrolls sideways.
    list_->header()->setStretchLastSection(false);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int width = 0;
    for (int c = 0; c < static_cast<int>(setup_.columns.size()); ++c) {
        list_->setColumnWidth(c, setup_.columns[static_cast<std::size_t>(c)].width);
        width += setup_.columns[static_cast<std::size_t>(c)].width;
    }
    const int scrollBar = list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list_);
    list_->setMinimumSize(width + 2 * list_->frameWidth() + scrollBar, 220);

    auto* prompt = new QLabel(setup_.prompt, this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {add_, edit_, delete_, close_})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(list_, 1);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addLayout(body);

    connect(add_, &QPushButton::clicked, this, [this] { add(); });
    connect(edit_, &QPushButton::clicked, this, &ListWindow::onEdit);
    connect(delete_, &QPushButton::clicked, this, &ListWindow::onDelete);
    connect(close_, &QPushButton::clicked, this, &ListWindow::closeFrame);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &ListWindow::onEdit);
}

void ListWindow::initialFill()
{
    refill(0);
    placeFrame(setup_.title);
}

void ListWindow::imageChanged(const ImageChange&)
{
    refill(kLastRow);
}

void ListWindow::refill(int selectRowIndex)
{
    rows_ = rows();
    list_->clear();
    for (const Row& row : rows_)
        list_->addTopLevelItem(new QTreeWidgetItem(row.texts));
    const bool empty = rows_.empty();
    if (empty) {
        // Across every column, so that its text is not cut at the first column's width.
        auto* placeholder = new QTreeWidgetItem(QStringList{setup_.placeholder});
        list_->addTopLevelItem(placeholder);
        placeholder->setFirstColumnSpanned(true);
    }
    add_->setEnabled(rowCount() < setup_.capacity);
    edit_->setEnabled(!empty);
    delete_->setEnabled(!empty);
    selectRow(selectRowIndex);
}

void ListWindow::selectRow(int row)
{
    const int last = list_->topLevelItemCount() - 1;
    if (last < 0)
        return;
    const int chosen = row < 0 || row > last ? last : row;
    list_->setCurrentItem(list_->topLevelItem(chosen));
}

bool ListWindow::selectRecord(int record)
{
    const auto shown =
        std::find_if(rows_.begin(), rows_.end(), [record](const Row& r) { return r.record == record; });
    if (shown == rows_.end())
        return false;
    selectRow(static_cast<int>(shown - rows_.begin()));
    return true;
}

int ListWindow::selectedRow() const
{
    QTreeWidgetItem* item = list_->currentItem();
    return item && item->isSelected() ? list_->indexOfTopLevelItem(item) : -1;
}

int ListWindow::selectedRecord() const
{
    const int row = selectedRow();
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)].record : -1;
}

void ListWindow::onEdit()
{
    const int record = selectedRecord();
    if (record >= 0) // never the placeholder
        edit(record);
}

void ListWindow::onDelete()
{
    const int row = selectedRow();
    const int record = selectedRecord();
    if (record < 0 || !mayRemove(record))
        return;
    if (platform::showMessage(text::kDeleteQuestion, platform::MsgButtons::YesNo, platform::MsgIcon::Question,
                              this) != platform::MsgAnswer::Yes)
        return;
    if (!remove(record))
        return;
    host().document().setModified();
    refill(row); // the row at the same position, or the last one
}

} // namespace trv::editors
