#include "editors/channel/StatAlertPage.h"

#include "database/FieldCatalog.h"
#include "database/SignallingFlags.h"
#include "editors/channel/AreaClaim.h"
#include "editors/channel/ChannelTexts.h"
#include "editors/channel/EditRules.h"
#include "editors/channel/PageWidgets.h"
#include "editors/common/CharacterFilter.h"
#include "editors/common/FormGrid.h"
#include "editors/common/NumberEdit.h"

#include <algorithm>

#include <QBoxLayout>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

namespace trv::editors::channel {

namespace f = db::fields;

namespace {

constexpr int kHexDigits = 4;

// Radio buttons for the values 0, 1, ... of a field, in a row of their own.
void addRadios(FieldBindings& bindings, QGroupBox* box, QGridLayout* grid, const QLatin1StringView* labels,
               int count, const db::Field& field, int columns)
{
    std::vector<RadioGroupBinding::Option> options;
    auto* row = new QHBoxLayout;
    for (int value = 0; value < count; ++value) {
        auto* button = new QRadioButton(labels[value], box);
        row->addWidget(button);
        options.push_back({button, value});
    }
    row->addStretch();
    grid->addLayout(row, grid->rowCount(), 0, 1, columns);
    bindings.add<RadioGroupBinding>(options, field, NoSelection::keepStored());
}

} // namespace

StatAlertPage::StatAlertPage(QWidget* parent) : WizardPage(parent)
{
    setWindowTitle(text::kStatAlertTitle);
    FieldBindings& b = bindings();
    // Created in form order; the number bindings' order is the validation order.
    QGroupBox* mode = group(text::kModeGroup, this);
    auto* modeGrid = new QGridLayout(mode);
    addRadios(b, mode, modeGrid, text::kModes, std::size(text::kModes), f::statAlertMode, 1);

    QGroupBox* pretime = group(text::kPretimeGroup, this);
    auto* pretimeFields = new QWidget(pretime);
    FormGrid pretimeForm(pretimeFields, 2);
    pretimeForm.layout()->setContentsMargins(0, 0, 0, 0);
    auto* pretimeLayout = new QGridLayout(pretime);
    addRadios(b, pretime, pretimeLayout, text::kPretimeKinds, std::size(text::kPretimeKinds), f::pretimeKind,
              1);
    pretimeLayout->addWidget(pretimeFields, pretimeLayout->rowCount(), 0);
    b.add<NumberBinding>(pretimeForm.addDigits(text::kLeadingPretime), f::leadingPretime,
                         rangeRule(f::leadingPretime, text::kLeadingPretimeRange));
    b.add<NumberBinding>(pretimeForm.addDigits(text::kTrailingPretime), f::trailingPretime,
                         rangeRule(f::trailingPretime, text::kTrailingPretimeRange));

    QGroupBox* rac = group(text::kRacGroup, this);
    auto* racFields = new QWidget(rac);
    FormGrid racForm(racFields, 2);
    racForm.layout()->setContentsMargins(0, 0, 0, 0);
    auto* racLayout = new QGridLayout(rac);
    addRadios(b, rac, racLayout, text::kRacModes, std::size(text::kRacModes), f::racMode, 1);
    racLayout->addWidget(racFields, racLayout->rowCount(), 0);
    racLayout->setRowStretch(racLayout->rowCount(), 1);
    QLineEdit* defaultRac = racForm.addEdit(text::kDefaultRac);
    defaultRac->setMaxLength(kHexDigits);
    new CharacterFilter(defaultRac, text::kHexCharacters);
    NumberBinding::Rules hex = rangeRule(f::defaultRac, text::kDefaultRacEmpty);
    hex.base = 16;
    b.add<NumberBinding>(defaultRac, f::defaultRac, hex);
    b.add<NumberBinding>(racForm.addDigits(text::kRacPretime), f::racPretime,
                         rangeRule(f::racPretime, text::kRacPretimeRange));

    auto* other = new QWidget(this);
    FormGrid otherForm(other, 3);
    otherForm.layout()->setContentsMargins(0, 0, 0, 0);
    for (int column = 0; column < 3; ++column)
        otherForm.layout()->setColumnStretch(column, 1);
    // A stored constant selects the first entry that begins with it (1 selects "10").
    b.add<ListBinding>(otherForm.addList(text::kRetryConstant), f::retryConstant,
                       numberChoices(f::retryConstant.minimum, f::retryConstant.maximum),
                       NoSelection::keepStored())
        .setMatcher(ListBinding::matchTextPrefix());
    NumberEdit* patience =
        otherForm.addNumber(text::kLimitedPatience, f::limitedPatience.minimum, f::limitedPatience.maximum);
    limitedPatience_ = &b.add<NumberBinding>(patience->lineEdit(), f::limitedPatience,
                                             rangeRule(f::limitedPatience, text::kLimitedPatienceRange));
    b.add<NumberBinding>(otherForm.addDigits(text::kDosCoast), f::dosCoast,
                         rangeRule(f::dosCoast, text::kDosCoastRange));
    b.add<CheckBinding>(otherForm.addCheck(text::kBusyTimer), f::busyTimer);
    b.add<CheckBinding>(otherForm.addCheck(text::kEmergencyAcknowledge), f::emergencyAcknowledge);
    b.add<CheckBinding>(otherForm.addCheck(text::kMdcRxPreEmphasis), f::mdcRxPreEmphasis);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(mode, 0, 0);
    grid->addWidget(pretime, 1, 0);
    grid->addWidget(rac, 0, 1, 2, 1);
    grid->addWidget(other, 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
}

QString StatAlertPage::caption() const
{
    return text::kStatAlertSuffix;
}

void StatAlertPage::load(const db::Image& image, int channel)
{
    const db::SignallingFlags& flags = db::signallingFlags();
    const auto c = static_cast<std::size_t>(channel);
    const bool ours = flags.statAlertAreaValid[c] != 0 && flags.dtmfAreaValid[c] == 0;
    bindings().load(claimedView(image, channel, f::statAlertLayout, ours, &f::mdcRxPreEmphasis), channel);
}

// A limited patience that is no digit string is refused before any other field, as reading the
// controls refuses it. A digit string is a number, however long: one too large for any integer
// type is above the limit and gets the range message in form order.
std::optional<Refusal> StatAlertPage::validate() const
{
    const QString typed = static_cast<const QLineEdit*>(limitedPatience_->control())->text();
    if (typed.isEmpty() || std::any_of(typed.begin(), typed.end(), [](QChar c) { return !c.isDigit(); }))
        return Refusal{text::kEnterInteger, limitedPatience_->control()};
    return bindings().check();
}

void StatAlertPage::commit(db::Image& image, int channel) const
{
    bindings().store(image, channel);
    db::SignallingFlags& flags = db::signallingFlags();
    flags.statAlertAreaValid[static_cast<std::size_t>(channel)] = 1;
    flags.dtmfAreaValid[static_cast<std::size_t>(channel)] = 0;
}

} // namespace trv::editors::channel
