#include "editors/deskset/DesksetCfgFV.h"

#include "database/FieldCatalog.h"
#include "database/NewDatabase.h"
#include "editors/common/ButtonTable.h"
#include "editors/common/EditorTexts.h"
#include "editors/common/FormGrid.h"
#include "editors/common/NumberEdit.h"
#include "editors/deskset/DesksetForm.h"
#include "editors/deskset/DesksetTexts.h"
#include "platform/MessageBox.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

namespace trv::editors {

namespace f = db::fields;
namespace dtext = deskset::text;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

constexpr int kSingleChannelEntry = 0; // entries of the deskset type list
constexpr int kMultiChannelEntry = 1;
constexpr int kFormColumns = 3;

NumberBinding::Rules numberRules(const db::Field& field, QLatin1StringView rangeMessage)
{
    return {.minimum = field.minimum,
            .maximum = field.maximum,
            .outOfRange = rangeMessage,
            .notNumber = text::kEnterPositiveInteger};
}

} // namespace

DesksetCfgFV::DesksetCfgFV(EditorHost& host, QWidget* parent) : EditorView(host, parent)
{
    buildForm();
    connect(desksetType_, &QComboBox::currentIndexChanged, this, &DesksetCfgFV::enableMultiChannelControls);
    connect(ok_, &QPushButton::clicked, this, &DesksetCfgFV::commit);
    connect(cancel_, &QPushButton::clicked, this, &DesksetCfgFV::closeFrame);
}

QAbstractButton* DesksetCfgFV::defaultButton() const
{
    return ok_;
}

QAbstractButton* DesksetCfgFV::cancelButton() const
{
    return cancel_;
}

// Controls are created in form order, which is also their tab order. Lists keep a stored value that
// has no entry, except the mute timer, which then writes 0.
void DesksetCfgFV::buildForm()
{
    auto* settings = new QGroupBox(dtext::kSettingsGroup, this);
    FormGrid form(settings, kFormColumns);
    const auto keep = NoSelection::keepStored();
    auto number = [&](QLatin1StringView label, const db::Field& field, QLatin1StringView rangeMessage) {
        NumberEdit* edit = form.addNumber(label, field.minimum, field.maximum);
        bindings_.add<NumberBinding>(edit->lineEdit(), field, numberRules(field, rangeMessage));
    };
    auto list = [&](QLatin1StringView label, const db::Field& field) {
        QComboBox* box = form.addList(label);
        bindings_.add<ListBinding>(box, field, choicesOf(field), keep);
        return box;
    };

    for (const deskset::FormControl& control : deskset::kSettingsControls) {
        switch (control.control) {
        case deskset::Control::TypeList:
            desksetType_ = form.addList(control.label);
            for (const ListEntry& entry : choicesOf(control.field))
                desksetType_->addItem(entry.text);
            break;
        case deskset::Control::MuteTimerList:
            muteTimer_ = form.addList(control.label);
            bindings_.add<ListBinding>(muteTimer_, control.field, numberChoices(0, control.field.maximum),
                                       NoSelection::write(0));
            break;
        case deskset::Control::Number:
            number(control.label, control.field, control.rangeMessage);
            break;
        case deskset::Control::List:
            if (QComboBox* box = list(control.label, control.field); &control.field == &f::muteLevel)
                muteLevel_ = box;
            break;
        case deskset::Control::Check: {
            QCheckBox* box = form.addCheck(control.label);
            bindings_.add<CheckBinding>(box, control.field);
            if (&control.field == &f::useUnselectSpeaker)
                useUnselectSpeaker_ = box;
            break;
        }
        }
    }

    auto* relay = new QGroupBox(dtext::kRelayGroup, this);
    auto* relayRow = new QHBoxLayout(relay);
    for (int r = 0; r < f::relayLatching.count; ++r) {
        auto* box = new QCheckBox(dtext::kRelayLatching[r], relay);
        relayRow->addWidget(box);
        bindings_.add<CheckBinding>(box, f::relayLatching, r);
    }

    ok_ = new QPushButton(text::kOk, this);
    cancel_ = new QPushButton(text::kCancel, this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(settings);
    layout->addWidget(relay);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize); // the form has one size; its frame fits it
}

void DesksetCfgFV::initialFill()
{
    const bool single = db::readField(image(), f::desksetType) == db::deskset::kSingleChannel;
    desksetType_->setCurrentIndex(single ? kSingleChannelEntry : kMultiChannelEntry);
    enableMultiChannelControls();
    bindings_.load(image());
    placeFrame(dtext::kTitle);
}

bool DesksetCfgFV::multiChannelSelected() const
{
    return desksetType_->currentIndex() == kMultiChannelEntry;
}

void DesksetCfgFV::enableMultiChannelControls()
{
    const bool multi = multiChannelSelected();
    for (QWidget* control : {static_cast<QWidget*>(muteTimer_), static_cast<QWidget*>(muteLevel_),
                             static_cast<QWidget*>(useUnselectSpeaker_)})
        control->setEnabled(multi);
}

// Every number is read before any range is checked; only the first refusal shows.
void DesksetCfgFV::commit()
{
    if (const std::optional<Refusal> refusal = bindings_.check(CheckOrder::PassByPass)) {
        showRefusal(*refusal, this);
        return;
    }

    host().document().setModified();
    const int stored = db::readField(image(), f::desksetType);
    const int chosen = multiChannelSelected() ? db::deskset::kMultiChannel : db::deskset::kSingleChannel;

    if (stored == db::deskset::kMultiChannel && chosen == db::deskset::kSingleChannel) {
        if (platform::showMessage(dtext::kEraseChannelsQuestion, MsgButtons::YesNo, MsgIcon::Question,
                                  this) != MsgAnswer::Yes)
            return;
        eraseChannels2To4();
        writeFields();
        host().refreshChannelItems();
    } else if (stored == db::deskset::kSingleChannel && chosen == db::deskset::kMultiChannel) {
        enableChannels2To4();
        writeFields();
    } else {
        writeFields();
        // A type byte other than 1 or 4 (a damaged file) has just been replaced: the tree follows it.
        if (stored != chosen)
            host().refreshChannelItems();
    }
    closeFrame();
}

// Multi-channel to single channel, after the user agreed to lose channels 2 to 4.
void DesksetCfgFV::eraseChannels2To4()
{
    db::Image& img = image();
    db::writeField(img, f::desksetType, db::deskset::kSingleChannel);
    // The buttons editor copies the table when it opens, so the table is cleaned before that window
    // reopens: otherwise it would show the removed buttons and its OK would write them back.
    removeOtherChannelButtons(img);
    if (host().isEditorOpen(EditorKind::Buttons))
        host().closeAndReopenEditor(EditorKind::Buttons); // now with the single-channel layout
    host().closeChannelEditors2To4();
    for (int channel = 1; channel < db::kChannels.count; ++channel)
        db::resetChannelRecord(channel, img);
}

// Single channel to multi-channel: channels 2 to 4 become available with whatever they hold.
void DesksetCfgFV::enableChannels2To4()
{
    db::writeField(image(), f::desksetType, db::deskset::kMultiChannel);
    if (host().isEditorOpen(EditorKind::Buttons))
        host().closeAndReopenEditor(EditorKind::Buttons); // now with the multi-channel layout
    host().refreshChannelItems();
}

void DesksetCfgFV::writeFields()
{
    db::writeField(image(), f::desksetType,
                   multiChannelSelected() ? db::deskset::kMultiChannel : db::deskset::kSingleChannel);
    bindings_.store(image());
}

} // namespace trv::editors
