// Tone signalling plan, page 1: guard tone, encryption tones, monitor tone, function tone
// duration and level, repeater tones.
#pragma once

#include "editors/common/WizardPage.h"

namespace trv::editors::channel {

class SignalingPlanT1Page final : public WizardPage {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 75;

    explicit SignalingPlanT1Page(QWidget* parent = nullptr);

    int helpContext() const override { return kHelpContext; }
    QString caption() const override;
};

} // namespace trv::editors::channel
