// The "Edit Speed Page" dialog: a speed page's label, the paging format it is sent with and its
// digit sequence, checked against the rules of that format's type. OK stores the page at its place
// in the sorted table; the Speed Page buttons follow the records that moved.
#pragma once

#include "database/SortedTable.h"
#include "editors/common/EditorDialog.h"

class QComboBox;
class QLineEdit;

namespace trv::editors {

class EditSpeedPageFV final : public EditorDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 106;
    static constexpr int kNewPage = -1;

    // Edits speed page `record`, or a new one for kNewPage.
    EditSpeedPageFV(EditorHost& host, int record, QWidget* parent = nullptr);

    // Where each record of the table went when the page was stored (after OK).
    const db::RecordMoves& moves() const { return moves_; }

protected:
    bool commit() override;

private:
    std::optional<Refusal> check() const;

    const int record_;
    QLineEdit* label_ = nullptr;
    QComboBox* format_ = nullptr;
    ListBinding* formatBinding_ = nullptr;
    QLineEdit* digits_ = nullptr;
    FieldBindings bindings_;
    db::RecordMoves moves_;
};

} // namespace trv::editors
