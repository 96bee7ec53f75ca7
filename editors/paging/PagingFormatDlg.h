// The paging format editor: one modal dialog for every format type, built from the type's row of
// the editor table. It edits the label and the type's parameters of one paging format record, or
// fills the first free record for a new format, and writes nothing before its OK passes the checks.
#pragma once

#include "editors/common/EditorDialog.h"
#include "editors/paging/FormatEditors.h"

class QLineEdit;

namespace trv::editors {
class FormGrid;
}

namespace trv::editors::paging {

class PagingFormatDlg final : public EditorDialog {
    Q_OBJECT
public:
    static constexpr int kNewFormat = -1;

    // `record` is the record to edit, or kNewFormat.
    PagingFormatDlg(EditorHost& host, const FormatEditor& editor, int record, QWidget* parent = nullptr);

    // The record written by the last OK (the free record a new format took), or kNewFormat.
    int record() const { return record_; }

protected:
    bool commit() override;

private:
    void addParameterControls(QWidget* group);
    void addDuration(FormGrid& form, const ParameterControl& control, const db::Field& field);
    // The range check while typing: a duration above the range is refused and replaced by the maximum.
    void limitDuration(QLineEdit* edit, const db::Field& field);
    bool labelTakenByAnotherRecord(const std::string& label) const;

    const FormatEditor& editor_;
    int record_;
    QLineEdit* label_ = nullptr;
    FieldBindings labelBinding_; // checked after the parameters, as the OK order has it
    FieldBindings parameters_;
};

} // namespace trv::editors::paging
