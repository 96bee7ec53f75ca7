// The editor window of one channel: a wizard over the channel's record, opened for the channel
// the document names for the next channel window and fixed to it for the window's life.
#pragma once

#include "editors/common/EditorView.h"

namespace trv::editors::channel {

class ChanWizard;

class ChanCfgFV final : public EditorView {
    Q_OBJECT
public:
    explicit ChanCfgFV(EditorHost& host, QWidget* parent = nullptr);

    EditorKind kind() const override { return EditorKind::Channel; }
    // The help topic of the page shown.
    int helpContext() const override;
    int channelIndex() const override { return channel_; }
    void initialFill() override;
    // A channel index out of range is reported when the window closes.
    void viewClosing() override;
    // The checked keying button of the first page.
    QWidget* initialFocus() const override;
    // Next, or Finish on the last page; Escape is Cancel.
    QAbstractButton* defaultButton() const override;
    QAbstractButton* cancelButton() const override;

    ChanWizard* wizard() const { return wizard_; }

private:
    void showCaption(const QString& caption);
    bool validChannel() const;

    int channel_;
    ChanWizard* wizard_;
};

} // namespace trv::editors::channel
