#include "editors/channel/ChanConfigPage.h"

#include "database/FieldCatalog.h"
#include "editors/channel/ChannelTexts.h"
#include "editors/channel/EditRules.h"
#include "editors/channel/PageWidgets.h"
#include "editors/common/CharacterFilter.h"
#include "editors/common/FormGrid.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace trv::editors::channel {

namespace f = db::fields;

namespace {

constexpr int kKeyingTone = 0;
constexpr int kKeyingDc = 1;
constexpr int kKeyingNone = 2;
constexpr int kHangoverDigits = 5;
constexpr int kEchoDigits = 4;

// A stored value without a list entry or button is written back as 0xFF.
constexpr NoSelection kNoEntry = NoSelection::write(0xFF);

// A deskset ID is typed only for these signalling types, each with its own characters.
QLatin1StringView idCharacters(int signaling)
{
    switch (signaling) {
    case db::channel::kSignalingStatAlert:
        return text::kStatAlertIdCharacters;
    case db::channel::kSignalingDtmfSelectiveCall:
        return text::kDtmfIdCharacters;
    default:
        return {};
    }
}

QLineEdit* digitsEdit(int maxLength, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    acceptDigitsOnly(edit, maxLength);
    return edit;
}

// Labels beside their controls; controls as wide as their contents need, not as the column is.
QFormLayout* compactForm(QWidget* group)
{
    auto* form = new QFormLayout(group);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    return form;
}

QLabel* buddyLabel(QLatin1StringView caption, QWidget* control, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setBuddy(control);
    return label;
}

} // namespace

ChanConfigPage::ChanConfigPage(QWidget* parent) : WizardPage(parent)
{
    setWindowTitle(text::kConfigTitle);
    // Created in form order, which is the tab order; placed in three columns.
    QWidget* keying = buildKeyingAndLevels();
    QGroupBox* signaling = buildSignaling();
    QWidget* port = nullptr;
    QGroupBox* parallel = buildParallelAndPort(port);
    QGroupBox* io = buildIo();
    QWidget* labelRow = nullptr;
    QWidget* unmute = buildUnmuteAndLabel(labelRow);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(keying, 0, 0, 2, 1);
    grid->addWidget(signaling, 2, 0, 2, 1);
    grid->addWidget(parallel, 0, 1);
    grid->addWidget(port, 1, 1);
    grid->addWidget(unmute, 2, 1);
    grid->addWidget(labelRow, 3, 1);
    grid->addWidget(io, 0, 2, 4, 1);
    grid->setRowStretch(4, 1);
}

QWidget* ChanConfigPage::buildKeyingAndLevels()
{
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    QGroupBox* keying = group(text::kKeyingGroup, column);
    auto* keyingRow = new QHBoxLayout(keying);
    std::vector<RadioGroupBinding::Option> options;
    for (int value = kKeyingTone; value <= kKeyingNone; ++value) {
        auto* button = new QRadioButton(text::kKeyings[value], keying);
        keyingRow->addWidget(button);
        keyingButtons_.push_back(button);
        options.push_back({button, value});
        connect(button, &QAbstractButton::clicked, this, &ChanConfigPage::choiceClicked);
    }
    keying_ = &bindings().add<RadioGroupBinding>(options, f::keying, kNoEntry);

    QGroupBox* levels = group(text::kLevelsGroup, column);
    auto* form = compactForm(levels);
    auto* tx = new QComboBox(levels);
    auto* rx = new QComboBox(levels);
    form->addRow(text::kTxLevel, tx);
    form->addRow(text::kRxAgcLevel, rx);
    // The stored level is the number in the selected text; no selection writes 0.
    bindings().add<ListBinding>(tx, f::txLevel, numberChoices(f::txLevel.minimum, f::txLevel.maximum),
                                NoSelection::write(0));
    bindings().add<ListBinding>(rx, f::rxAgcLevel,
                                numberChoices(f::rxAgcLevel.minimum, f::rxAgcLevel.maximum),
                                NoSelection::write(0));

    layout->addWidget(keying);
    layout->addWidget(levels);
    return column;
}

QGroupBox* ChanConfigPage::buildSignaling()
{
    QGroupBox* signaling = group(text::kSignalingGroup, this);
    auto* form = compactForm(signaling);
    std::vector<RadioGroupBinding::Option> options;
    auto* radios = new QGridLayout;
    for (int value = db::channel::kSignalingNone; value <= db::channel::kSignalingDtmfSelectiveCall;
         ++value) {
        auto* button = new QRadioButton(text::kSignalings[value], signaling);
        radios->addWidget(button, value / 2, value % 2);
        options.push_back({button, value});
        connect(button, &QAbstractButton::clicked, this, &ChanConfigPage::choiceClicked);
    }
    form->addRow(radios);
    signaling_ = &bindings().add<RadioGroupBinding>(options, f::signalingType, kNoEntry);

    desksetId_ = new QLineEdit(signaling);
    idFilter_ = new CharacterFilter(desksetId_, {});
    form->addRow(text::kDesksetId, desksetId_);
    bindings().add<TextBinding>(desksetId_, f::desksetId);
    auto* relay = new QComboBox(signaling);
    form->addRow(text::kRelay, relay);
    bindings().add<ListBinding>(relay, f::relay, choicesOf(f::relay), kNoEntry);
    return signaling;
}

QGroupBox* ChanConfigPage::buildParallelAndPort(QWidget*& port)
{
    auto list = [this](QFormLayout* form, QWidget* owner, QLatin1StringView label, const db::Field& field) {
        auto* box = new QComboBox(owner);
        form->addRow(label, box);
        bindings().add<ListBinding>(box, field, choicesOf(field), kNoEntry);
    };
    QGroupBox* parallel = group(text::kParallelGroup, this);
    auto* parallelForm = compactForm(parallel);
    list(parallelForm, parallel, text::kCrossMute, f::crossMute);
    list(parallelForm, parallel, text::kParallelStatus, f::parallelStatus);

    QGroupBox* portGroup = group(text::kPortGroup, this);
    auto* portForm = compactForm(portGroup);
    list(portForm, portGroup, text::kTermination, f::termination);
    list(portForm, portGroup, text::kInterface, f::interfaceType);
    port = portGroup;
    return parallel;
}

QGroupBox* ChanConfigPage::buildIo()
{
    struct IoList {
        QLatin1StringView label;
        const db::Field& field;
    };
    const IoList lists[] = {{text::kPttRelay, f::pttRelay},
                            {text::kPttSense, f::pttSense},
                            {text::kEncryptRelay, f::encryptRelay},
                            {text::kEncryptSense, f::encryptSense},
                            {text::kMonitorRelay, f::monitorRelay}};
    QGroupBox* io = group(text::kIoGroup, this);
    auto* form = compactForm(io);
    for (const IoList& l : lists) {
        auto* box = new QComboBox(io);
        form->addRow(l.label, box);
        bindings().add<ListBinding>(box, l.field, choicesOf(l.field), kNoEntry);
    }
    auto* latching = new QCheckBox(text::kMonitorLatching, io);
    form->addRow(latching);
    bindings().add<CheckBinding>(latching, f::monitorLatching);
    auto* eLead = new QComboBox(io);
    form->addRow(text::kELead, eLead);
    bindings().add<ListBinding>(eLead, f::eLead, choicesOf(f::eLead), kNoEntry);
    QLineEdit* hangover = digitsEdit(kHangoverDigits, io);
    form->addRow(text::kHangoverDelay, hangover);
    bindings().add<NumberBinding>(hangover, f::hangoverDelay,
                                  rangeRule(f::hangoverDelay, text::kHangoverRange));
    return io;
}

QWidget* ChanConfigPage::buildUnmuteAndLabel(QWidget*& labelRow)
{
    QGroupBox* unmute = group(text::kUnmuteGroup, this);
    auto* unmuteForm = compactForm(unmute);
    echoDelay_ = digitsEdit(kEchoDigits, unmute);
    unmuteForm->addRow(text::kEchoDelay, echoDelay_);
    bindings().add<NumberBinding>(echoDelay_, f::echoCancellationDelay,
                                  rangeRule(f::echoCancellationDelay, text::kEchoRange));

    labelRow = new QWidget(this);
    auto* form = compactForm(labelRow);
    form->setContentsMargins(0, 0, 0, 0);
    channelLabel_ = new QLineEdit(labelRow);
    auto* tptDetect = new QCheckBox(text::kTptDetectMark, labelRow);
    QLabel* labelCaption = buddyLabel(text::kChannelLabel, channelLabel_, labelRow);
    QLabel* tptCaption = buddyLabel(text::kChannelTptDetect, tptDetect, labelRow);
    form->addRow(labelCaption, channelLabel_);
    form->addRow(tptCaption, tptDetect);
    keyingNoneBindings_.add<TextBinding>(channelLabel_, f::frequencyLabel);
    keyingNoneBindings_.add<CheckBinding>(tptDetect, f::tptDetect);
    keyingNoneControls_ = {labelCaption, channelLabel_, tptCaption, tptDetect};
    return unmute;
}

QAbstractButton* ChanConfigPage::checkedKeyingButton() const
{
    for (QAbstractButton* button : keyingButtons_) {
        if (button->isChecked())
            return button;
    }
    return keyingButtons_.front();
}

int ChanConfigPage::keying() const
{
    return keying_->checkedValue().value_or(-1);
}

int ChanConfigPage::signalingType() const
{
    return signaling_->checkedValue().value_or(-1);
}

void ChanConfigPage::load(const db::Image& image, int channel)
{
    // DC keying is offered on channel 1 only; a stored DC keying elsewhere shows checked, disabled.
    keyingButtons_[kKeyingDc]->setEnabled(channel == 0);
    bindings().load(image, channel);
    keyingNoneBindings_.load(image, channel);
    showKeyingNoneControls();

    // The ID is shown as stored, unfiltered, for the types that have one; otherwise emptied.
    const int signaling = signalingType();
    const QLatin1StringView characters = idCharacters(signaling);
    if (characters.isNull())
        desksetId_->clear();
    desksetId_->setEnabled(!characters.isNull());
    const QString id = desksetId_->text();
    idFilter_->setAllowed(characters);
    desksetId_->setText(id); // as stored: only typing is filtered
    lastSignaling_ = signaling;

    // A delay beyond its range is shown (and written back) as 0.
    if (db::readField(image, f::echoCancellationDelay, channel) > f::echoCancellationDelay.maximum)
        echoDelay_->setText(QStringLiteral("0"));
}

void ChanConfigPage::choiceClicked()
{
    followSignaling();
    showKeyingNoneControls();
    emit sequenceChoiceClicked();
}

void ChanConfigPage::followSignaling()
{
    const int signaling = signalingType();
    const QLatin1StringView characters = idCharacters(signaling);
    if (characters.isNull())
        desksetId_->clear();
    desksetId_->setEnabled(!characters.isNull());
    // A text typed for one type must not be committed under another type's characters.
    if (signaling != lastSignaling_)
        idFilter_->setAllowed(characters);
    lastSignaling_ = signaling;
}

void ChanConfigPage::showKeyingNoneControls()
{
    const bool none = keying() == kKeyingNone;
    for (QWidget* control : keyingNoneControls_)
        control->setVisible(none);
}

std::optional<Refusal> ChanConfigPage::validate() const
{
    if (!idCharacters(signalingType()).isNull() && desksetId_->text().isEmpty())
        return Refusal{text::kDesksetIdEmpty, desksetId_};
    if (keying() == kKeyingNone && channelLabel_->text().isEmpty())
        return Refusal{text::kChannelLabelEmpty, channelLabel_};
    return bindings().check(); // the hangover delay, then the echo cancellation delay
}

void ChanConfigPage::commit(db::Image& image, int channel) const
{
    bindings().store(image, channel);
    if (keying() == kKeyingNone)
        keyingNoneBindings_.store(image, channel);
}

} // namespace trv::editors::channel
