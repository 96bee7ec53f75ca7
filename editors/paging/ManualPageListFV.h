// The paging formats window: lists the paging formats in record order with their base format, adds
// one through the protocol choice and its editor, edits one, and deletes one that no speed page and
// no button uses. Record indices never change, so nothing that refers to a format needs renumbering.
#pragma once

#include "editors/common/ListWindow.h"

#include <optional>
#include <string>

namespace trv::editors::paging {

class ManualPageListFV final : public ListWindow {
    Q_OBJECT
public:
    explicit ManualPageListFV(EditorHost& host, QWidget* parent = nullptr);

    EditorKind kind() const override { return EditorKind::PagingFormats; }

protected:
    std::vector<Row> rows() const override;
    void add() override;
    void edit(int record) override;
    bool mayRemove(int record) override;
    bool remove(int record) override;

private:
    // The format a row stands for, found by the row's label as the image holds it now: the first
    // or the last record with that label (labels are unique unless a loaded image repeats one).
    enum class Match { First, Last };
    std::optional<int> recordOfRow(int rowRecord, Match match) const;
    bool usedBySpeedPage(int record) const;
    bool usedByButton(int record) const;
    // Tells the other open windows (speed paging and buttons show format labels and names).
    void formatsChanged();
};

} // namespace trv::editors::paging
