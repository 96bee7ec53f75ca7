#include "editors/channel/DtmfPages.h"

#include "database/FieldCatalog.h"
#include "database/SignallingFlags.h"
#include "editors/channel/AreaClaim.h"
#include "editors/channel/ChannelTexts.h"
#include "editors/channel/EditRules.h"
#include "editors/common/FormGrid.h"

#include <QBoxLayout>
#include <QComboBox>

namespace trv::editors::channel {

namespace f = db::fields;

DtmfPage::DtmfPage(QWidget* parent) : WizardPage(parent)
{
    setWindowTitle(text::kDtmfTitle);
    auto* fields = new QWidget(this);
    FormGrid form(fields, 2);
    form.layout()->setContentsMargins(0, 0, 0, 0);
    form.layout()->setHorizontalSpacing(18);
    // "1" to "8"; a stored count out of the list shows no selection and is written back as 0.
    minDigits_ = form.addList(text::kMinDigits);
    maxDigits_ = form.addList(text::kMaxDigits);
    bindings().add<ListBinding>(minDigits_, f::minDigits,
                                numberChoices(f::minDigits.minimum, f::minDigits.maximum),
                                NoSelection::write(0));
    bindings().add<ListBinding>(maxDigits_, f::maxDigits,
                                numberChoices(f::maxDigits.minimum, f::maxDigits.maximum),
                                NoSelection::write(0));
    bindings().add<NumberBinding>(form.addDigits(text::kDigitDuration), f::digitDuration,
                                  rangeRule(f::digitDuration, text::kDigitDurationRange));
    bindings().add<NumberBinding>(form.addDigits(text::kInterdigitTime), f::interdigitTime,
                                  rangeRule(f::interdigitTime, text::kInterdigitTimeRange));
    connect(minDigits_, &QComboBox::activated, this, &DtmfPage::minimumChosen);
    connect(maxDigits_, &QComboBox::activated, this, &DtmfPage::maximumChosen);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(fields, 0, Qt::AlignLeft); // as wide as its fields need
    layout->addStretch();
}

void DtmfPage::minimumChosen(int index)
{
    if (index > maxDigits_->currentIndex())
        maxDigits_->setCurrentIndex(index);
}

void DtmfPage::maximumChosen(int index)
{
    if (index < minDigits_->currentIndex())
        minDigits_->setCurrentIndex(index);
}

void DtmfPage::load(const db::Image& image, int channel)
{
    const db::SignallingFlags& flags = db::signallingFlags();
    const auto c = static_cast<std::size_t>(channel);
    const bool ours = flags.dtmfAreaValid[c] != 0 && flags.statAlertAreaValid[c] == 0;
    bindings().load(claimedView(image, channel, f::dtmfLayout, ours), channel);
}

void DtmfPage::commit(db::Image& image, int channel) const
{
    bindings().store(image, channel);
    db::SignallingFlags& flags = db::signallingFlags();
    flags.dtmfAreaValid[static_cast<std::size_t>(channel)] = 1;
    flags.statAlertAreaValid[static_cast<std::size_t>(channel)] = 0;
}

QString DTMFDecodePage::caption() const
{
    return text::kDtmfDecodeSuffix;
}

QString DTMFSelectiveCallPage::caption() const
{
    return text::kDtmfSelectiveCallSuffix;
}

} // namespace trv::editors::channel
