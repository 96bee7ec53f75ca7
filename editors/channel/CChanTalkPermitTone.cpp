#include "editors/channel/CChanTalkPermitTone.h"

#include "database/FieldCatalog.h"
#include "editors/channel/ChannelTexts.h"
#include "editors/channel/EditRules.h"
#include "editors/common/FormGrid.h"

#include <QBoxLayout>
#include <QLabel>

namespace trv::editors::channel {

namespace f = db::fields;

namespace {
constexpr int kHintPixels = 20;
} // namespace

CChanTalkPermitTone::CChanTalkPermitTone(QWidget* parent) : WizardPage(parent)
{
    setWindowTitle(text::kTptTitle);
    auto* fields = new QWidget(this);
    FormGrid form(fields, 2);
    form.layout()->setContentsMargins(0, 0, 0, 0);
    form.layout()->setHorizontalSpacing(18);
    auto number = [&](QLatin1StringView label, const db::Field& field, NumberBinding::Rules rules) {
        bindings().add<NumberBinding>(form.addDigits(label), field, std::move(rules));
    };
    number(text::kTptTimeout, f::tptTimeout, rangeRule(f::tptTimeout, text::kTptTimeoutRange));
    // Entered in hertz, stored in tenths of a hertz.
    NumberBinding::Rules frequency = rangeRule(f::tptFrequency, text::kTptFrequencyRange);
    frequency.minimum /= f::tptFrequency.scale();
    frequency.maximum /= f::tptFrequency.scale();
    frequency.scale = f::tptFrequency.scale();
    number(text::kTptFrequency, f::tptFrequency, frequency);
    number(text::kTptBeepCount, f::tptBeepCount, rangeRule(f::tptBeepCount, text::kTptBeepCountRange));
    number(text::kTptBeepDuration, f::tptBeepDuration,
           rangeRule(f::tptBeepDuration, text::kTptBeepDurationRange));
    number(text::kTptPauseDuration, f::tptPauseDuration,
           rangeRule(f::tptPauseDuration, text::kTptPauseDurationRange));
    number(text::kTptPostTime, f::tptPostTime, rangeRule(f::tptPostTime, text::kTptPostTimeRange));

    auto* hint = new QLabel(text::kTptHint, this);
    QFont font(text::kTptHintFont);
    font.setPixelSize(kHintPixels);
    font.setBold(true);
    hint->setFont(font);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The two columns as wide as their fields and labels need; the rest of the width is left over.
    form.layout()->setColumnStretch(2, 1);
    layout->addWidget(fields);
    layout->addSpacing(12);
    layout->addWidget(hint);
    layout->addStretch();
}

QString CChanTalkPermitTone::caption() const
{
    return text::kTptSuffix;
}

} // namespace trv::editors::channel
