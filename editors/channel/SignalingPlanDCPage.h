// DC signalling plan: name, keying current and talk permit tone flag of functions F1 to F4,
// and the monitor current.
#pragma once

#include "editors/common/WizardPage.h"

namespace trv::editors::channel {

class SignalingPlanDCPage final : public WizardPage {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 129;

    explicit SignalingPlanDCPage(QWidget* parent = nullptr);

    int helpContext() const override { return kHelpContext; }
    QString caption() const override;
};

} // namespace trv::editors::channel
