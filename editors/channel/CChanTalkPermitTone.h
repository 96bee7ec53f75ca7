// The talk permit tone page, in every page sequence: time out, tone, beeps and post time.
#pragma once

#include "editors/common/WizardPage.h"

namespace trv::editors::channel {

class CChanTalkPermitTone final : public WizardPage {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 102;

    explicit CChanTalkPermitTone(QWidget* parent = nullptr);

    int helpContext() const override { return kHelpContext; }
    QString caption() const override;
};

} // namespace trv::editors::channel
