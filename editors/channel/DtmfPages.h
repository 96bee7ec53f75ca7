// The DTMF decode and DTMF selective call pages: one form over the DTMF settings in the channel's
// shared signalling area; they differ in the caption and the help topic. A DTMF page claims the
// area: on a channel whose area holds stat alert data (or was not claimed since New) it shows the
// DTMF defaults, which its commit writes at Finish.
#pragma once

#include "editors/common/WizardPage.h"

class QComboBox;

namespace trv::editors::channel {

class DtmfPage : public WizardPage {
    Q_OBJECT
public:
    explicit DtmfPage(QWidget* parent = nullptr);

    void load(const db::Image& image, int channel) override;
    void commit(db::Image& image, int channel) const override;

private:
    // Keeps minimum <= maximum after the user changed one of them.
    void minimumChosen(int index);
    void maximumChosen(int index);

    QComboBox* minDigits_;
    QComboBox* maxDigits_;
};

class DTMFDecodePage final : public DtmfPage {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 188;
    using DtmfPage::DtmfPage;
    int helpContext() const override { return kHelpContext; }
    QString caption() const override;
};

class DTMFSelectiveCallPage final : public DtmfPage {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 186;
    using DtmfPage::DtmfPage;
    int helpContext() const override { return kHelpContext; }
    QString caption() const override;
};

} // namespace trv::editors::channel
