#include "editors/channel/SignalingPlanT1Page.h"

#include "database/FieldCatalog.h"
#include "editors/channel/ChannelTexts.h"
#include "editors/channel/EditRules.h"
#include "editors/channel/PageWidgets.h"
#include "editors/channel/ToneLists.h"
#include "editors/common/FormGrid.h"

#include <QGridLayout>
#include <QGroupBox>

namespace trv::editors::channel {

namespace f = db::fields;

SignalingPlanT1Page::SignalingPlanT1Page(QWidget* parent) : WizardPage(parent)
{
    setWindowTitle(text::kTone1Title);
    FieldBindings& b = bindings();
    // Created in form order (the tab order); the bindings' order is also the validation order.
    QGroupBox* guard = group(text::kGuardToneGroup, this);
    FormGrid guardForm(guard, 2);
    bindFrequencyList(b, guardForm.addList(text::kGuardFrequency), f::guardToneFrequency, guardToneEntries());
    b.add<NumberBinding>(guardForm.addDigits(text::kHlgtDuration), f::hlgtDuration,
                         rangeRule(f::hlgtDuration, text::kHlgtDurationRange));
    bindLevel(b, guardForm.addEdit(text::kHlgtLevel), f::hlgtLevel, text::kHlgtLevelRange);
    bindLevel(b, guardForm.addEdit(text::kLlgtLevel), f::llgtLevel, text::kLlgtLevelRange);

    QGroupBox* encryption = group(text::kEncryptionGroup, this);
    FormGrid encryptionForm(encryption, 1);
    bindFrequencyList(b, encryptionForm.addList(text::kCodedFrequency), f::codedFrequency,
                      frequencyEntries());
    bindFrequencyList(b, encryptionForm.addList(text::kClearFrequency), f::clearFrequency,
                      frequencyEntries());

    QGroupBox* monitor = group(text::kMonitorToneGroup, this);
    FormGrid monitorForm(monitor, 1);
    bindFrequencyList(b, monitorForm.addList(text::kMonitorFrequency), f::monitorToneFrequency,
                      frequencyEntries());

    QGroupBox* function = group(text::kFunctionTonesGroup, this);
    FormGrid functionForm(function, 2);
    b.add<NumberBinding>(functionForm.addDigits(text::kFunctionDuration), f::functionToneDuration,
                         rangeRule(f::functionToneDuration, text::kFunctionDurationRange));
    bindLevel(b, functionForm.addEdit(text::kFunctionLevel), f::functionToneLevel, text::kFunctionLevelRange);

    QGroupBox* repeater = group(text::kRepeaterTonesGroup, this);
    FormGrid repeaterForm(repeater, 2);
    bindFrequencyList(b, repeaterForm.addList(text::kRepeaterEnable), f::repeaterEnableFrequency,
                      frequencyEntries());
    bindFrequencyList(b, repeaterForm.addList(text::kRepeaterDisable), f::repeaterDisableFrequency,
                      frequencyEntries());

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(guard, 0, 0);
    grid->addWidget(encryption, 0, 1);
    grid->addWidget(function, 1, 0);
    grid->addWidget(monitor, 1, 1);
    grid->addWidget(repeater, 2, 0);
    grid->setRowStretch(3, 1);
}

QString SignalingPlanT1Page::caption() const
{
    return text::kTone1Suffix;
}

} // namespace trv::editors::channel
