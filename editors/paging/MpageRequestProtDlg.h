// The protocol choice of Add: which kind of paging format to create, from a sorted list of the
// format types that have an editor.
#pragma once

#include "editors/common/EditorDialog.h"
#include "editors/paging/FormatEditors.h"

#include <vector>

class QComboBox;

namespace trv::editors::paging {

class MpageRequestProtDlg final : public EditorDialog {
    Q_OBJECT
public:
    MpageRequestProtDlg(EditorHost& host, int helpContext, QWidget* parent = nullptr);

    // The editor of the chosen entry.
    const FormatEditor& chosen() const;

protected:
    bool commit() override { return true; }

private:
    QComboBox* list_;
    std::vector<const FormatEditor*> entries_; // in list order
};

} // namespace trv::editors::paging
