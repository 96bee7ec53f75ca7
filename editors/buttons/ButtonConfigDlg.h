// The Button Configuration dialog: picks the function of one programmable button and its
// parameter. It lists only what the button may take (once-per-table and multi-channel-only
// functions, parameters no other button uses) and writes its choice into the editor's working table.
#pragma once

#include "editors/buttons/ButtonRules.h"
#include "editors/buttons/WorkingButtonTable.h"
#include "editors/common/EditorDialog.h"

class QComboBox;
class QLabel;

namespace trv::editors {

class ButtonConfigDlg final : public EditorDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 77;

    ButtonConfigDlg(EditorHost& host, WorkingButtonTable& table, const ButtonRules& rules, int button,
                    QWidget* parent);

protected:
    bool commit() override;

private:
    std::optional<ButtonKind> selectedKind() const;
    void fillParameters(); // the type selection changed
    bool nothingLeftToChoose() const;

    WorkingButtonTable& table_;
    const ButtonRules& rules_;
    int button_;
    QComboBox* type_ = nullptr;
    QLabel* parameterLabel_ = nullptr;
    QComboBox* parameter_ = nullptr;
};

} // namespace trv::editors
