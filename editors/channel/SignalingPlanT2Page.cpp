#include "editors/channel/SignalingPlanT2Page.h"

#include "database/FieldCatalog.h"
#include "editors/channel/ChannelTexts.h"
#include "editors/channel/PageWidgets.h"
#include "editors/channel/ToneLists.h"
#include "editors/common/FormGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace trv::editors::channel {

namespace f = db::fields;

namespace {
constexpr int kRowsPerColumn = 8;
constexpr int kColumnsPerFunction = 4; // name, label edit, frequency list, check box
constexpr int kF5 = 4;                 // its list has an extra empty item that also stores 0
} // namespace

SignalingPlanT2Page::SignalingPlanT2Page(QWidget* parent) : WizardPage(parent)
{
    setWindowTitle(text::kTone2Title);
    auto* functions = new QWidget(this);
    auto* grid = new QGridLayout(functions);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int half = 0; half < 2; ++half) {
        const int at = half * (kColumnsPerFunction + 1);
        grid->addWidget(new QLabel(text::kLabelColumn, functions), 0, at + 1);
        grid->addWidget(new QLabel(text::kFrequencyColumn, functions), 0, at + 2);
        grid->addWidget(new QLabel(text::kTptDetectMark, functions), 0, at + 3);
    }
    grid->setColumnMinimumWidth(kColumnsPerFunction, 16);
    for (int n = 0; n < f::frequencyLabel.count; ++n) {
        const int row = 1 + n % kRowsPerColumn;
        const int at = (n / kRowsPerColumn) * (kColumnsPerFunction + 1);
        auto* label = new QLineEdit(functions);
        auto* tone = new QComboBox(functions);
        auto* detect = new QCheckBox(functions);
        auto* name = new QLabel(text::kFunctionLabels[n], functions);
        name->setBuddy(label);
        grid->addWidget(name, row, at);
        grid->addWidget(label, row, at + 1);
        grid->addWidget(tone, row, at + 2);
        grid->addWidget(detect, row, at + 3);
        ListEntries entries = frequencyEntries();
        if (n == kF5)
            entries.push_back({0, {}});
        bindings().add<TextBinding>(label, f::frequencyLabel, QString(), n);
        bindFrequencyList(bindings(), tone, f::functionToneFrequency, std::move(entries), n);
        bindings().add<CheckBinding>(detect, f::tptDetect, n);
    }

    QGroupBox* wildcards = group(text::kWildcardsGroup, this);
    FormGrid wildcardForm(wildcards, 4);
    const std::pair<QLatin1StringView, const db::Field*> wildcardLists[] = {
        {text::kWildcard1On, &f::wildcard1OnFrequency},
        {text::kWildcard2On, &f::wildcard2OnFrequency},
        {text::kWildcard1Off, &f::wildcard1OffFrequency},
        {text::kWildcard2Off, &f::wildcard2OffFrequency}};
    for (const auto& [caption, field] : wildcardLists)
        bindFrequencyList(bindings(), wildcardForm.addList(caption), *field, frequencyEntries());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(functions);
    layout->addWidget(tptDetectNote(this));
    layout->addWidget(wildcards);
    layout->addStretch();
}

QString SignalingPlanT2Page::caption() const
{
    return text::kTone2Suffix;
}

} // namespace trv::editors::channel
