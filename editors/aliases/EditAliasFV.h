// The alias dialog: the label, the unit type and the PTT ID of one alias, new or existing. Its OK
// checks the entry, writes it into the alias table at once, keeps the table in label order and
// marks the database modified.
#pragma once

#include "database/SortedTable.h"
#include "editors/common/EditorDialog.h"

class QLineEdit;
class QRadioButton;

namespace trv::editors {

class EditAliasFV final : public EditorDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 109;
    static constexpr int kNewAlias = -1;

    // `record` is the alias to edit, or kNewAlias.
    EditAliasFV(EditorHost& host, int record, QWidget* parent = nullptr);

    // The alias table: packed, in the order of the upper-cased labels.
    static const db::SortedTable& table();
    // Whether `id` is a PTT ID a unit of this type sends.
    static bool isValidPttId(const QString& id, bool dtmf);

    // After OK: where each record of the table went when the alias took its place.
    const db::RecordMoves& moves() const { return moves_; }

protected:
    bool commit() override;

private:
    void buildForm();

    int record_;
    QLineEdit* label_ = nullptr;
    QRadioButton* mdc1200_ = nullptr;
    QRadioButton* dtmf_ = nullptr;
    QLineEdit* pttId_ = nullptr;
    FieldBindings bindings_; // the two texts; the unit type reads any non-zero byte as DTMF
    db::RecordMoves moves_;
};

} // namespace trv::editors
