// The "Custom Paging Tones" window: the tones in use by number, with Add, Edit and Delete. A tone's
// number is its record, so the list is in numeric order.
#pragma once

#include "editors/common/ListWindow.h"

namespace trv::editors {

class CustomPageListFV final : public ListWindow {
    Q_OBJECT
public:
    explicit CustomPageListFV(EditorHost& host, QWidget* parent = nullptr);

    EditorKind kind() const override { return EditorKind::CustomPagingTones; }

protected:
    std::vector<Row> rows() const override;
    void add() override;
    void edit(int record) override;
    bool remove(int record) override;

private:
    // Runs the editor on a tone (or a new one) and selects the tone it saved.
    void runEditor(int number);
};

} // namespace trv::editors
