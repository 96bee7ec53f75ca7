// The PTT ID alias list: the aliases in label order with their PTT IDs; Add and Edit open the alias
// dialog, Delete frees the alias and closes the gap. Every change is written to the image at once.
#pragma once

#include "database/SortedTable.h"
#include "editors/common/ListWindow.h"

namespace trv::editors {

class AliasListFV final : public ListWindow {
    Q_OBJECT
public:
    explicit AliasListFV(EditorHost& host, QWidget* parent = nullptr);

    EditorKind kind() const override { return EditorKind::PttAliases; }

protected:
    std::vector<Row> rows() const override;
    void add() override;
    void edit(int record) override;
    bool remove(int record) override;
    // Escape acts as Enter, so it never closes or cancels anything in this window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Tells the other open windows that the alias table changed and where its records went.
    void announce(const db::RecordMoves& moves);
};

} // namespace trv::editors
