// The "Edit Custom Page" dialog: one custom paging tone, numbered by its record. A new tone is
// offered the lowest free number; giving a tone another number moves it to that record.
#pragma once

#include "editors/common/EditorDialog.h"

#include <array>

class QLineEdit;

namespace trv::editors {

class EditCustomPageFV final : public EditorDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 105;
    static constexpr int kNewTone = -1;

    // Edits tone `number`, or a new tone for kNewTone.
    EditCustomPageFV(EditorHost& host, int number, QWidget* parent = nullptr);

    // The number the tone was saved under (after OK).
    int savedNumber() const { return saved_; }

protected:
    bool commit() override;
    bool eventFilter(QObject* watched, QEvent* event) override; // leaving the inhibit delay

private:
    struct Frequency {
        QLineEdit* edit;
        const db::Field& field;
    };

    void buildForm();
    void load();
    // Live checks while typing.
    void numberEdited();
    void durationEdited(QLineEdit* edit);
    void frequencyEdited(QLineEdit* edit);

    std::optional<Refusal> checkNumber() const;
    // Reads every field in form order with its range check, as OK begins; the first failure is
    // shown and points at its field, which may be another than the one being typed in.
    void readFields();
    // Refuses (and resets) the first frequency outside the range.
    bool frequenciesInRange();
    // The lowest free tone number; the tone's own number when every number is taken.
    int lowestFreeNumber() const;

    const int opened_; // the number the dialog was opened with, or kNewTone
    int offered_ = 0;  // the number shown at open: the opened one, or the lowest free one
    int saved_ = kNewTone;
    QLineEdit* number_ = nullptr;
    QLineEdit* inhibitDelay_ = nullptr;
    std::vector<Frequency> frequencies_;
    FieldBindings durations_;
};

} // namespace trv::editors
