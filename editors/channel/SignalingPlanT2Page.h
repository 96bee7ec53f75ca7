// Tone signalling plan, page 2: name, tone and talk permit tone flag of functions F1 to F16,
// and the four wildcard tones.
#pragma once

#include "editors/common/WizardPage.h"

namespace trv::editors::channel {

class SignalingPlanT2Page final : public WizardPage {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 114;

    explicit SignalingPlanT2Page(QWidget* parent = nullptr);

    int helpContext() const override { return kHelpContext; }
    QString caption() const override;
};

} // namespace trv::editors::channel
