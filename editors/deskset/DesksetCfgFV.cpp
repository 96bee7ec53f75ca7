#include "editors/deskset/DesksetCfgFV.h"

#include "database/NewDatabase.h"
#include "editors/common/ButtonTable.h"
#include "editors/common/EditorTexts.h"
#include "editors/common/NumberEdit.h"
#include "editors/deskset/DesksetTexts.h"
#include "platform/MessageBox.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <span>

namespace trv::editors {

namespace field = db::deskset;
namespace dtext = deskset::text;
using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

// A number edit and the field it stores: one or two bytes (little-endian), 0 to maximum.
struct DesksetNumberField {
    const char* label;
    int offset;
    int width;
    unsigned maximum;
    const char* rangeMessage;
};

namespace {

constexpr DesksetNumberField kVoiceAnnotation{dtext::kVoiceAnnotationLabel, field::kVoiceAnnotation, 1, 60,
                                              dtext::kVoiceAnnotationRange};
constexpr DesksetNumberField kTransmitDelay{dtext::kTransmitDelayLabel, field::kTransmitDelay, 2, 500,
                                            dtext::kTransmitDelayRange};
constexpr DesksetNumberField kPageKeyUpDelay{dtext::kPageKeyUpDelayLabel, field::kPageKeyUpDelay, 1, 60,
                                             dtext::kPageKeyUpDelayRange};

constexpr int kSingleChannelEntry = 0; // entries of the deskset type list
constexpr int kMultiChannelEntry = 1;
constexpr int kMuteTimerMaximum = 60;
constexpr int kFormColumns = 3;
constexpr int kPairSpacing = 6;

// The check boxes of the "Settings" group, in form order.
struct Flag {
    const char* label;
    int offset;
};
constexpr Flag kSettingsFlags[] = {
    {dtext::kUseUnselectSpeaker, field::kUseUnselectSpeaker},
    {dtext::kExternalMicPresent, field::kExternalMicPresent},
    {dtext::kDisplayTime, field::kDisplayTime},
    {dtext::kMicAgc, field::kMicAgc},
    {dtext::kHandsetPresent, field::kHandsetPresent},
};

QStringList entries(std::span<const char* const> texts)
{
    QStringList list;
    for (const char* t : texts)
        list << QString::fromLatin1(t);
    return list;
}

QStringList muteTimerEntries()
{
    QStringList list;
    for (int seconds = 0; seconds <= kMuteTimerMaximum; ++seconds)
        list << QString::number(seconds);
    return list;
}

// Lays out labelled controls row by row, a label above its control, kFormColumns to a row.
class FormGrid {
public:
    explicit FormGrid(QWidget* group) : group_(group), grid_(new QGridLayout(group)) {}

    QComboBox* addList(const char* label, const QStringList& items)
    {
        auto* box = new QComboBox(group_);
        box->addItems(items);
        place(label, box);
        return box;
    }

    NumberEdit* addNumber(const DesksetNumberField& number)
    {
        auto* edit = new NumberEdit(0, number.maximum, group_);
        place(number.label, edit);
        return edit;
    }

    QCheckBox* addCheck(const char* label)
    {
        if (cell_ % kFormColumns != 0 && !checksStarted_)
            cell_ += kFormColumns - cell_ % kFormColumns; // check boxes start on a row of their own
        checksStarted_ = true;
        auto* box = new QCheckBox(QString::fromLatin1(label), group_);
        grid_->addWidget(box, 2 * (cell_ / kFormColumns), cell_ % kFormColumns);
        ++cell_;
        return box;
    }

private:
    void place(const char* label, QWidget* control)
    {
        auto* caption = new QLabel(QString::fromLatin1(label), group_);
        caption->setBuddy(control);
        const int row = 2 * (cell_ / kFormColumns);
        if (row > 0)
            caption->setContentsMargins(0, kPairSpacing, 0, 0); // pairs apart, a label close to its control
        grid_->addWidget(caption, row, cell_ % kFormColumns);
        grid_->addWidget(control, row + 1, cell_ % kFormColumns);
        ++cell_;
    }

    QWidget* group_;
    QGridLayout* grid_;
    int cell_ = 0;
    bool checksStarted_ = false;
};

unsigned readField(const db::Image& image, const DesksetNumberField& number)
{
    return number.width == 2 ? db::readU16(image, number.offset) : image[number.offset];
}

void writeField(db::Image& image, const DesksetNumberField& number, unsigned value)
{
    if (number.width == 2)
        db::writeU16(image, number.offset, static_cast<std::uint16_t>(value));
    else
        image[number.offset] = static_cast<std::uint8_t>(value);
}

} // namespace

DesksetCfgFV::DesksetCfgFV(EditorHost& host, QWidget* parent) : EditorView(host, parent)
{
    buildForm();
    connect(desksetType_, &QComboBox::currentIndexChanged, this, &DesksetCfgFV::enableMultiChannelControls);
    connect(ok_, &QPushButton::clicked, this, &DesksetCfgFV::commit);
    connect(cancel_, &QPushButton::clicked, this, &DesksetCfgFV::closeFrame);
}

QString DesksetCfgFV::treeLabel() const
{
    return QString::fromLatin1(dtext::kTitle);
}

// Controls are created in form order, which is also their tab order.
void DesksetCfgFV::buildForm()
{
    auto* settings = new QGroupBox(QString::fromLatin1(dtext::kSettingsGroup), this);
    FormGrid form(settings);
    desksetType_ = form.addList(dtext::kDesksetTypeLabel, entries(dtext::kDesksetTypes));
    muteTimer_ = form.addList(dtext::kMuteTimerLabel, muteTimerEntries());
    numbers_[0] = {form.addNumber(kVoiceAnnotation), &kVoiceAnnotation};
    muteLevel_ = form.addList(dtext::kMuteLevelLabel, entries(dtext::kMuteLevels));
    numbers_[1] = {form.addNumber(kTransmitDelay), &kTransmitDelay};
    auto* baudRate = form.addList(dtext::kBaudRateLabel, entries(dtext::kBaudRates));
    auto* clockMode = form.addList(dtext::kClockModeLabel, entries(dtext::kClockModes));
    numbers_[2] = {form.addNumber(kPageKeyUpDelay), &kPageKeyUpDelay};
    auto* feedback = form.addList(dtext::kPagingFeedbackLabel, entries(dtext::kPagingFeedbacks));
    indexLists_ = {{muteLevel_, field::kMuteLevel},
                   {baudRate, field::kPrinterBaudRate},
                   {clockMode, field::kClockMode},
                   {feedback, field::kPagingFeedback}};
    for (const Flag& flag : kSettingsFlags)
        flags_.push_back({form.addCheck(flag.label), flag.offset});
    useUnselectSpeaker_ = flags_.front().box;

    auto* relay = new QGroupBox(QString::fromLatin1(dtext::kRelayGroup), this);
    auto* relayRow = new QHBoxLayout(relay);
    for (int r = 0; r < field::kRelayCount; ++r) {
        auto* box = new QCheckBox(QString::fromLatin1(dtext::kRelayLatching[r]), relay);
        relayRow->addWidget(box);
        flags_.push_back({box, field::kRelayLatching1 + r});
    }

    ok_ = new QPushButton(QString::fromLatin1(editors::text::kOk), this);
    cancel_ = new QPushButton(QString::fromLatin1(editors::text::kCancel), this);
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
    const db::Image& img = image();
    const bool single = img[field::kDesksetType] == field::kSingleChannel;
    desksetType_->setCurrentIndex(single ? kSingleChannelEntry : kMultiChannelEntry);
    enableMultiChannelControls();

    // The mute timer is found by its text: a stored value without an entry selects nothing.
    muteTimer_->setCurrentIndex(muteTimer_->findText(QString::number(img[field::kMuteTimer])));

    for (const BoundList& list : indexLists_)
        list.box->setCurrentIndex(img[list.offset] < list.box->count() ? img[list.offset] : -1);
    for (const BoundFlag& flag : flags_)
        flag.box->setChecked(img[flag.offset] != 0);
    for (const BoundNumber& number : numbers_)
        number.edit->setValue(readField(img, *number.field));

    placeFrame(QString::fromLatin1(dtext::kTitle));
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

void DesksetCfgFV::commit()
{
    const std::optional<Numbers> numbers = readNumbers();
    if (!numbers)
        return;

    host().document().setModified();
    const std::uint8_t stored = image()[field::kDesksetType];
    const std::uint8_t chosen = multiChannelSelected() ? field::kMultiChannel : field::kSingleChannel;

    if (stored == field::kMultiChannel && chosen == field::kSingleChannel) {
        if (platform::showMessage(QString::fromLatin1(dtext::kEraseChannelsQuestion), MsgButtons::YesNo,
                                  MsgIcon::Question, this) != MsgAnswer::Yes)
            return;
        eraseChannels2To4();
        writeFields(*numbers);
        host().refreshChannelItems();
    } else if (stored == field::kSingleChannel && chosen == field::kMultiChannel) {
        enableChannels2To4();
        writeFields(*numbers);
    } else {
        writeFields(*numbers);
        // A type byte other than 1 or 4 (a damaged file) has just been replaced: the tree follows it.
        if (stored != chosen)
            host().refreshChannelItems();
    }
    closeFrame();
}

std::optional<DesksetCfgFV::Numbers> DesksetCfgFV::readNumbers()
{
    Numbers values{};
    for (int i = 0; i < kNumberCount; ++i) {
        const std::optional<unsigned> value = numbers_[i].edit->value();
        if (!value) {
            refuse(numbers_[i], editors::text::kEnterPositiveInteger);
            return std::nullopt;
        }
        values[i] = *value;
    }
    for (int i = 0; i < kNumberCount; ++i) {
        if (values[i] > numbers_[i].field->maximum) {
            refuse(numbers_[i], numbers_[i].field->rangeMessage);
            return std::nullopt;
        }
    }
    return values;
}

void DesksetCfgFV::refuse(const BoundNumber& number, const char* message)
{
    platform::showMessage(QString::fromLatin1(message), MsgButtons::Ok, MsgIcon::Exclamation, this);
    number.edit->focusWithTextSelected();
}

// Multi-channel to single channel, after the user agreed to lose channels 2 to 4.
void DesksetCfgFV::eraseChannels2To4()
{
    db::Image& img = image();
    img[field::kDesksetType] = field::kSingleChannel;
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
    image()[field::kDesksetType] = field::kMultiChannel;
    if (host().isEditorOpen(EditorKind::Buttons))
        host().closeAndReopenEditor(EditorKind::Buttons); // now with the multi-channel layout
    host().refreshChannelItems();
}

void DesksetCfgFV::writeFields(const Numbers& numbers)
{
    db::Image& img = image();
    img[field::kDesksetType] = multiChannelSelected() ? field::kMultiChannel : field::kSingleChannel;
    const int muteTimer = muteTimer_->currentIndex();
    img[field::kMuteTimer] =
        muteTimer < 0 ? 0 : static_cast<std::uint8_t>(muteTimer_->currentText().toUInt());
    // A list left without a selection (its stored value had no entry) keeps the stored value.
    for (const BoundList& list : indexLists_)
        if (list.box->currentIndex() >= 0)
            img[list.offset] = static_cast<std::uint8_t>(list.box->currentIndex());
    for (const BoundFlag& flag : flags_)
        img[flag.offset] = flag.box->isChecked() ? 1 : 0;
    for (int i = 0; i < kNumberCount; ++i)
        writeField(img, *numbers_[i].field, numbers[i]);
}

} // namespace trv::editors
