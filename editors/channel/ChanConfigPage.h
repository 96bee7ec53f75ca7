// The first page of the channel wizard: keying, levels, signalling and deskset ID, relay,
// parallel-deskset options, port, I/O assignments, hangover and echo cancellation delays, and for
// channels without tone or DC keying the channel label with its talk permit tone flag. The keying
// and signalling chosen here decide which pages follow.
#pragma once

#include "editors/common/WizardPage.h"

#include <vector>

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLabel;

namespace trv::editors {
class CharacterFilter;
}

namespace trv::editors::channel {

class ChanConfigPage final : public WizardPage {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 126;

    explicit ChanConfigPage(QWidget* parent = nullptr);

    int helpContext() const override { return kHelpContext; }
    QString caption() const override { return {}; } // the window caption names no page here

    void load(const db::Image& image, int channel) override;
    std::optional<Refusal> validate() const override;
    void commit(db::Image& image, int channel) const override;

    // The keying (0 tone, 1 DC, 2 none) and signalling type (0..3) checked now; -1 when none is.
    int keying() const;
    int signalingType() const;
    // The checked keying button (the first one when none is): where a new window's focus goes.
    QAbstractButton* checkedKeyingButton() const;

signals:
    // Any keying or signalling button was clicked, even the one already checked.
    void sequenceChoiceClicked();

private:
    QWidget* buildKeyingAndLevels();
    QGroupBox* buildSignaling();
    QGroupBox* buildParallelAndPort(QWidget*& port);
    QGroupBox* buildIo();
    QWidget* buildUnmuteAndLabel(QWidget*& labelRow);

    void choiceClicked();
    void followSignaling(); // the deskset ID edit and its characters
    void showKeyingNoneControls();

    RadioGroupBinding* keying_ = nullptr;
    RadioGroupBinding* signaling_ = nullptr;
    std::vector<QAbstractButton*> keyingButtons_;
    QLineEdit* desksetId_ = nullptr;
    CharacterFilter* idFilter_ = nullptr;
    QLineEdit* echoDelay_ = nullptr;
    QLineEdit* channelLabel_ = nullptr;
    std::vector<QWidget*> keyingNoneControls_;
    // Written only while keying is None; otherwise the signalling plan pages own these fields.
    FieldBindings keyingNoneBindings_;
    int lastSignaling_ = -1;
};

} // namespace trv::editors::channel
