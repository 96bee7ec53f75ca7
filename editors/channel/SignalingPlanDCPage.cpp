#include "editors/channel/SignalingPlanDCPage.h"

#include "database/FieldCatalog.h"
#include "editors/channel/ChannelTexts.h"
#include "editors/channel/PageWidgets.h"
#include "editors/channel/ToneLists.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace trv::editors::channel {

namespace f = db::fields;

SignalingPlanDCPage::SignalingPlanDCPage(QWidget* parent) : WizardPage(parent)
{
    setWindowTitle(text::kDcTitle);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(text::kLabelColumn, this), 0, 1);
    grid->addWidget(new QLabel(text::kCurrentColumn, this), 0, 2);
    grid->addWidget(new QLabel(text::kTptDetectMark, this), 0, 3);
    // Currents out of the list show no selection and are written back as 0.
    auto current = [this](QComboBox* box, const db::Field& field, int element) {
        bindings().add<ListBinding>(box, field, currentEntries(), NoSelection::write(0), element);
    };
    for (int n = 0; n < f::dcCurrent.count; ++n) {
        auto* label = new QLineEdit(this);
        auto* box = new QComboBox(this);
        auto* detect = new QCheckBox(this);
        auto* name = new QLabel(text::kFunctionLabels[n], this);
        name->setBuddy(label);
        grid->addWidget(name, 1 + n, 0);
        grid->addWidget(label, 1 + n, 1);
        grid->addWidget(box, 1 + n, 2);
        grid->addWidget(detect, 1 + n, 3);
        bindings().add<TextBinding>(label, f::frequencyLabel, QString(), n);
        current(box, f::dcCurrent, n);
        bindings().add<CheckBinding>(detect, f::tptDetect, n);
    }
    auto* monitor = new QComboBox(this);
    auto* monitorName = new QLabel(text::kDcMonitor, this);
    monitorName->setBuddy(monitor);
    grid->addWidget(monitorName, 5, 0, 1, 2, Qt::AlignRight);
    grid->addWidget(monitor, 5, 2);
    current(monitor, f::dcMonitorCurrent, 0);
    grid->addWidget(tptDetectNote(this), 6, 0, 1, 4);
    grid->setRowStretch(7, 1);
    grid->setColumnStretch(4, 1);
}

QString SignalingPlanDCPage::caption() const
{
    return text::kDcSuffix;
}

} // namespace trv::editors::channel
