// The deskset settings window: the unit-wide options at the start of the image (deskset type,
// timers, mute, printer, paging feedback, microphone, handset and relay latching).
#pragma once

#include "editors/common/Bindings.h"
#include "editors/common/EditorView.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace trv::editors {

class DesksetCfgFV final : public EditorView {
    Q_OBJECT
public:
    explicit DesksetCfgFV(EditorHost& host, QWidget* parent = nullptr);

    EditorKind kind() const override { return EditorKind::DesksetCfg; }
    void initialFill() override;
    // Enter is OK unless a push button has the focus; Escape is Cancel.
    QAbstractButton* defaultButton() const override;
    QAbstractButton* cancelButton() const override;

private:
    void buildForm();
    void enableMultiChannelControls(); // the type selection changed
    bool multiChannelSelected() const;

    void commit();
    void eraseChannels2To4();
    void enableChannels2To4();
    void writeFields();

    // The deskset type has its own rule (any byte but "single channel" shows multi-channel), so it
    // is not one of the bindings.
    QComboBox* desksetType_ = nullptr;
    QComboBox* muteTimer_ = nullptr;
    QComboBox* muteLevel_ = nullptr;
    QCheckBox* useUnselectSpeaker_ = nullptr;
    FieldBindings bindings_;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace trv::editors
