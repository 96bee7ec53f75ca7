// The deskset settings window: the unit-wide options at the start of the image (deskset type,
// timers, mute, printer, paging feedback, microphone, handset and relay latching).
#pragma once

#include "editors/common/EditorView.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace trv::editors {

class NumberEdit;
struct DesksetNumberField;

class DesksetCfgFV final : public EditorView {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 125;

    explicit DesksetCfgFV(EditorHost& host, QWidget* parent = nullptr);

    EditorKind kind() const override { return EditorKind::DesksetCfg; }
    QString treeLabel() const override;
    int helpContext() const override { return kHelpContext; }
    void initialFill() override;

private:
    // A control bound to the byte it shows.
    struct BoundList {
        QComboBox* box;
        int offset;
    };
    struct BoundFlag {
        QCheckBox* box;
        int offset;
    };
    struct BoundNumber {
        NumberEdit* edit;
        const DesksetNumberField* field;
    };
    static constexpr int kNumberCount = 3;
    using Numbers = std::array<unsigned, kNumberCount>;

    void buildForm();
    void enableMultiChannelControls(); // the type selection changed
    bool multiChannelSelected() const;

    void commit();
    std::optional<Numbers> readNumbers(); // shows the first failure and returns nothing
    void refuse(const BoundNumber& number, const char* message);
    void eraseChannels2To4();
    void enableChannels2To4();
    void writeFields(const Numbers& numbers);

    QComboBox* desksetType_ = nullptr;
    QComboBox* muteTimer_ = nullptr;
    QComboBox* muteLevel_ = nullptr;
    QCheckBox* useUnselectSpeaker_ = nullptr;
    std::vector<BoundList> indexLists_; // lists whose index is the stored byte
    std::vector<BoundFlag> flags_;
    std::array<BoundNumber, kNumberCount> numbers_{}; // in the order OK checks them
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace trv::editors
