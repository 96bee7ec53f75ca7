#include "editors/buttons/DesksetButtonsCfgFV.h"

#include "editors/buttons/ButtonConfigDlg.h"
#include "editors/buttons/ButtonRules.h"
#include "editors/buttons/ButtonTexts.h"
#include "editors/buttons/CUniButton.h"
#include "editors/buttons/DesksetPicture.h"
#include "editors/common/ColoredStatic.h"
#include "editors/common/EditorTexts.h"
#include "platform/MessageBox.h"

#include <QBoxLayout>
#include <QPushButton>

namespace trv::editors {

namespace btext = buttons::text;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

DesksetButtonsCfgFV::DesksetButtonsCfgFV(EditorHost& host, QWidget* parent) : EditorView(host, parent)
{
    picture_ = new DesksetPicture(this);
    ok_ = new QPushButton(text::kOk, this);
    cancel_ = new QPushButton(text::kCancel, this);
    clearAll_ = new QPushButton(btext::kClearAll, this);
    undo_ = new QPushButton(btext::kUndoLastChange, this);

    auto* commands = new QVBoxLayout;
    for (QPushButton* b : {ok_, cancel_})
        commands->addWidget(b);
    commands->addSpacing(fontMetrics().height());
    for (QPushButton* b : {clearAll_, undo_})
        commands->addWidget(b);
    commands->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(picture_);
    layout->addLayout(commands);
    layout->setSizeConstraint(QLayout::SetFixedSize); // the picture has one size; its frame fits it

    connect(picture_, &DesksetPicture::buttonClicked, this, &DesksetButtonsCfgFV::configureButton);
    connect(clearAll_, &QPushButton::clicked, this, &DesksetButtonsCfgFV::clearAll);
    connect(undo_, &QPushButton::clicked, this, &DesksetButtonsCfgFV::undoLastChange);
    connect(ok_, &QPushButton::clicked, this, &DesksetButtonsCfgFV::commit);
    connect(cancel_, &QPushButton::clicked, this, &DesksetButtonsCfgFV::closeFrame);
}

QAbstractButton* DesksetButtonsCfgFV::defaultButton() const
{
    return ok_;
}

QAbstractButton* DesksetButtonsCfgFV::cancelButton() const
{
    return cancel_;
}

void DesksetButtonsCfgFV::initialFill()
{
    table_.load(image());
    picture_->setMultiChannel(ButtonRules(image()).multiChannel());
    refreshLabels();
    placeFrame(btext::kTitle);
}

void DesksetButtonsCfgFV::refreshLabels()
{
    const ButtonRules rules(image());
    table_.dropMissingReferences(rules);
    // A kind without a short label (above the last one: a damaged or newer file) leaves the label
    // as it was.
    for (int k = 0; k < kButtonCount; ++k) {
        if (const QString label = ButtonRules::shortLabel(table_.entry(k).kind); !label.isEmpty())
            picture_->label(k)->setText(label);
    }
}

void DesksetButtonsCfgFV::configureButton(int button)
{
    const ButtonRules rules(image());
    ButtonConfigDlg dialog(host(), table_, rules, button, this);
    if (dialog.run() == QDialog::Accepted)
        refreshLabels();
}

void DesksetButtonsCfgFV::clearAll()
{
    if (platform::showMessage(btext::kClearAllQuestion, MsgButtons::YesNo, MsgIcon::Question, this) !=
        MsgAnswer::Yes)
        return;
    table_.clearAll();
    refreshLabels();
}

void DesksetButtonsCfgFV::undoLastChange()
{
    table_.undo();
    refreshLabels();
}

void DesksetButtonsCfgFV::commit()
{
    table_.store(image());
    host().document().setModified();
    host().notifyImageChanged({ChangedArea::Buttons, {}}, this);
    closeFrame();
}

// Speed pages move when their table is re-sorted or packed: the buttons that call them follow, in
// the backup table too, so neither OK nor Undo can leave a button on the record moved into its place.
void DesksetButtonsCfgFV::imageChanged(const ImageChange& change)
{
    if (change.area == ChangedArea::SpeedPages)
        table_.followSpeedPageMoves(change.recordMap);
    if (change.area == ChangedArea::SpeedPages || change.area == ChangedArea::PagingFormats)
        refreshLabels();
}

} // namespace trv::editors
