// The stat alert page: the stat alert settings in the channel's shared signalling area, and the
// MDC receive pre-emphasis. The page claims the area: on a channel whose area holds DTMF data (or
// was not claimed since New) it shows the stat alert defaults, which its commit writes at Finish.
#pragma once

#include "editors/common/WizardPage.h"

namespace trv::editors::channel {

class StatAlertPage final : public WizardPage {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 187;

    explicit StatAlertPage(QWidget* parent = nullptr);

    int helpContext() const override { return kHelpContext; }
    QString caption() const override;

    void load(const db::Image& image, int channel) override;
    std::optional<Refusal> validate() const override;
    void commit(db::Image& image, int channel) const override;

private:
    NumberBinding* limitedPatience_ = nullptr;
};

} // namespace trv::editors::channel
