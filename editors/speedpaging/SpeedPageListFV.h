// The "Speed Paging" window: the speed pages in label order with the paging format each one uses.
// While it is open the buttons editor cannot be opened from the tree or the View menu; every speed
// page move is announced to the open windows, so that a buttons editor opened before can follow it.
#pragma once

#include "database/SortedTable.h"
#include "editors/common/ListWindow.h"

namespace trv::editors {

class SpeedPageListFV final : public ListWindow {
    Q_OBJECT
public:
    explicit SpeedPageListFV(EditorHost& host, QWidget* parent = nullptr);

    EditorKind kind() const override { return EditorKind::SpeedPaging; }
    void initialFill() override;
    void viewClosing() override;

protected:
    std::vector<Row> rows() const override;
    void add() override;
    void edit(int record) override;
    bool mayRemove(int record) override;
    bool remove(int record) override;

private:
    // Runs the editor; true when it stored the page.
    bool runEditor(int record);
    void announce(const db::RecordMoves& moves);
};

} // namespace trv::editors
