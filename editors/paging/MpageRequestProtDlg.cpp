#include "editors/paging/MpageRequestProtDlg.h"

#include "editors/paging/PagingTexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace trv::editors::paging {

MpageRequestProtDlg::MpageRequestProtDlg(EditorHost& host, int helpContext, QWidget* parent)
    : EditorDialog(host, helpContext, parent), list_(new QComboBox(this))
{
    setWindowTitle(text::kProtocolTitle);
    for (const FormatEditor& editor : formatEditors())
        entries_.push_back(&editor);
    std::sort(entries_.begin(), entries_.end(),
              [](const FormatEditor* a, const FormatEditor* b) { return a->addEntry < b->addEntry; });
    for (const FormatEditor* editor : entries_)
        list_->addItem(editor->addEntry);
    list_->setCurrentIndex(0);
    list_->setMaxVisibleItems(static_cast<int>(entries_.size()));
    // Wide enough for the whole title in the window's caption.
    list_->setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 140);

    auto* prompt = new QLabel(text::kProtocolPrompt, this);
    prompt->setBuddy(list_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(list_);
    layout->addWidget(okCancelButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    list_->setFocus();
}

const FormatEditor& MpageRequestProtDlg::chosen() const
{
    return *entries_[static_cast<std::size_t>(std::max(list_->currentIndex(), 0))];
}

} // namespace trv::editors::paging
