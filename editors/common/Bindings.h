// Bindings tie a form's controls to catalogue fields. Each binding loads its control from the image,
// checks what the user entered (returning the message and the control to focus), and stores the
// value back. A form keeps its bindings in a FieldBindings set, in form order, and adds its own
// rules around them; the record (a channel, a table entry) is given at load and store time.
#pragma once

#include "database/Field.h"
#include "platform/MessageBox.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

namespace trv::editors {

// Why a form refuses to commit: the message to show, the control to point at, and the box's icon
// (some windows show their refusals without one).
struct Refusal {
    QString message;
    QWidget* focus = nullptr;
    platform::MsgIcon icon = platform::MsgIcon::Exclamation;
};

// What a list or radio group stores when nothing is selected (its stored value had no entry). The
// windows differ: most keep the stored byte, some write 0, the channel page writes 0xFF.
struct NoSelection {
    enum class Rule { KeepStored, Write } rule = Rule::KeepStored;
    int value = 0;

    static constexpr NoSelection keepStored() { return {}; }
    static constexpr NoSelection write(int value) { return {Rule::Write, value}; }
};

// Checks run in two passes: first whether each entry can be read at all, then whether each value is
// in range. A form checks field by field (both passes per field) or pass by pass (every field's
// first pass before any range), as its window does.
enum class CheckPass { Read, Range };
enum class CheckOrder { FieldByField, PassByPass };

class Binding {
public:
    Binding(const db::Field& field, int element) : field_(field), element_(element) {}
    virtual ~Binding() = default;

    virtual void load(const db::Image& image, int record) = 0;
    virtual std::optional<Refusal> check(CheckPass) const { return std::nullopt; }
    virtual void store(db::Image& image, int record) const = 0;
    virtual QWidget* control() const = 0;

    const db::Field& field() const { return field_; }
    int element() const { return element_; }

protected:
    int read(const db::Image& image, int record) const { return db::readField(image, field_, record, element_); }
    void write(db::Image& image, int record, int value) const
    {
        db::writeField(image, field_, value, record, element_);
    }

private:
    const db::Field& field_;
    int element_;
};

// One entry of a drop-down list: the value it stores and its text.
struct ListEntry {
    int value;
    QString text;
};
using ListEntries = std::vector<ListEntry>;

// The field's own choices, in list order.
ListEntries choicesOf(const db::Field& field);
// Entries whose text is their value in decimal, minimum to maximum ("-30" .. "11", "0" .. "60").
ListEntries numberChoices(int minimum, int maximum);
// Entries for stored values shown divided by a scale ("1650" for 16500 tenths of a hertz, "5.5" for
// 11 half milliamperes); 0 may be named (e.g. "None").
ListEntries scaledChoices(const std::vector<int>& values, int scale, const QString& zeroText = {});

// A drop-down list: selects the entry whose value is stored (none when no entry has it) and stores
// the selected entry's value.
class ListBinding final : public Binding {
public:
    ListBinding(QComboBox* box, const db::Field& field, ListEntries entries, NoSelection none,
                int element = 0);
    void load(const db::Image& image, int record) override;
    void store(db::Image& image, int record) const override;
    QWidget* control() const override;

    // The value of the selected entry, if any.
    std::optional<int> selectedValue() const;

private:
    QComboBox* box_;
    ListEntries entries_;
    NoSelection none_;
};

// A set of radio buttons, one per stored value.
class RadioGroupBinding final : public Binding {
public:
    struct Option {
        QAbstractButton* button;
        int value;
    };
    RadioGroupBinding(std::vector<Option> options, const db::Field& field, NoSelection none, int element = 0);
    void load(const db::Image& image, int record) override;
    void store(db::Image& image, int record) const override;
    QWidget* control() const override;

    std::optional<int> checkedValue() const;

private:
    std::vector<Option> options_;
    NoSelection none_;
};

class CheckBinding final : public Binding {
public:
    CheckBinding(QCheckBox* box, const db::Field& field, int element = 0);
    void load(const db::Image& image, int record) override;
    void store(db::Image& image, int record) const override;
    QWidget* control() const override;

private:
    QCheckBox* box_;
};

// A number typed into an edit. Shown as the stored value divided by `scale` (integer division), in
// decimal or hexadecimal; stored as the entered number times `scale`. The read pass refuses text that
// is not a number (with `notNumber`, or `outOfRange` when the window has one message for both); the
// range pass refuses a number outside minimum..maximum (in shown units).
class NumberBinding final : public Binding {
public:
    struct Rules {
        int minimum = 0;
        int maximum = 0;
        QString outOfRange;
        QString notNumber; // empty: outOfRange stands for both
        int scale = 1;
        int base = 10;
        bool allowMinus = false; // an optional leading "-" (the level edits)
    };
    NumberBinding(QLineEdit* edit, const db::Field& field, Rules rules, int element = 0);
    void load(const db::Image& image, int record) override;
    std::optional<Refusal> check(CheckPass pass) const override;
    void store(db::Image& image, int record) const override;
    QWidget* control() const override;

    // The entered number, if the text is one (digits only, as many as 32 bits hold).
    std::optional<long long> value() const;

private:
    QLineEdit* edit_;
    Rules rules_;
};

// A text slot typed into an edit limited to the slot size. `emptyMessage`, when set, refuses an
// empty text.
class TextBinding final : public Binding {
public:
    TextBinding(QLineEdit* edit, const db::Field& field, QString emptyMessage = {}, int element = 0);
    void load(const db::Image& image, int record) override;
    std::optional<Refusal> check(CheckPass pass) const override;
    void store(db::Image& image, int record) const override;
    QWidget* control() const override;

private:
    QLineEdit* edit_;
    QString emptyMessage_;
};

// The bindings of one form, in form order.
class FieldBindings {
public:
    template <class B, class... Args> B& add(Args&&... args)
    {
        auto binding = std::make_unique<B>(std::forward<Args>(args)...);
        B& ref = *binding;
        bindings_.push_back(std::move(binding));
        return ref;
    }

    void load(const db::Image& image, int record = 0) const;
    // Loads what a record added to the table starts with: each field's newRecordValue (texts empty).
    void loadNewRecord() const;
    // The first refusal, in the window's order.
    std::optional<Refusal> check(CheckOrder order = CheckOrder::FieldByField) const;
    void store(db::Image& image, int record = 0) const;

private:
    std::vector<std::unique_ptr<Binding>> bindings_;
};

// Shows a refusal (a box with its icon and OK) and then points at its control with the text selected.
void showRefusal(const Refusal& refusal, QWidget* parent);

} // namespace trv::editors
