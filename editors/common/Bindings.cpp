#include "editors/common/Bindings.h"

#include "editors/common/CharacterFilter.h"
#include "editors/common/Focus.h"
#include "platform/MessageBox.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>

#include <algorithm>
#include <limits>

namespace trv::editors {

namespace {

void applyNoSelection(const NoSelection& none, db::Image& image, const Binding& binding, int record)
{
    if (none.rule == NoSelection::Rule::Write)
        db::writeField(image, binding.field(), none.value, record, binding.element());
}

} // namespace

ListEntries choicesOf(const db::Field& field)
{
    ListEntries entries;
    for (const db::Choice& c : field.choices)
        entries.push_back(
            {c.value, QString::fromLatin1(c.text.data(), static_cast<qsizetype>(c.text.size()))});
    return entries;
}

ListEntries numberChoices(int minimum, int maximum)
{
    ListEntries entries;
    for (int v = minimum; v <= maximum; ++v)
        entries.push_back({v, QString::number(v)});
    return entries;
}

ListEntries scaledChoices(const std::vector<int>& values, int scale, const QString& zeroText)
{
    ListEntries entries;
    for (int v : values) {
        QString text;
        if (v == 0 && !zeroText.isEmpty())
            text = zeroText;
        else if (v % scale == 0)
            text = QString::number(v / scale);
        else
            text = QString::number(static_cast<double>(v) / scale, 'f', 1);
        entries.push_back({v, text});
    }
    return entries;
}

// ---- ListBinding -------------------------------------------------------------------------------

ListBinding::Matcher ListBinding::matchScaled(int scale)
{
    return [scale](const ListEntry& e, int stored) { return e.value / scale == stored / scale; };
}

ListBinding::Matcher ListBinding::matchTextPrefix()
{
    return [](const ListEntry& e, int stored) { return e.text.startsWith(QString::number(stored)); };
}

ListBinding::ListBinding(QComboBox* box, const db::Field& field, ListEntries entries, NoSelection none,
                         int element)
    : Binding(field, element), box_(box), entries_(std::move(entries)), none_(none),
      matches_([](const ListEntry& e, int stored) { return e.value == stored; })
{
    if (box_->count() == 0)
        for (const ListEntry& e : entries_)
            box_->addItem(e.text);
}

ListBinding& ListBinding::setMatcher(Matcher matcher)
{
    matches_ = std::move(matcher);
    return *this;
}

void ListBinding::load(const db::Image& image, int record)
{
    const int stored = read(image, record);
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const ListEntry& e) { return matches_(e, stored); });
    box_->setCurrentIndex(it == entries_.end() ? -1 : static_cast<int>(it - entries_.begin()));
}

std::optional<int> ListBinding::selectedValue() const
{
    const int index = box_->currentIndex();
    if (index < 0 || index >= static_cast<int>(entries_.size()))
        return std::nullopt;
    return entries_[static_cast<std::size_t>(index)].value;
}

void ListBinding::store(db::Image& image, int record) const
{
    if (const std::optional<int> value = selectedValue())
        write(image, record, *value);
    else
        applyNoSelection(none_, image, *this, record);
}

QWidget* ListBinding::control() const
{
    return box_;
}

// ---- RadioGroupBinding -------------------------------------------------------------------------

RadioGroupBinding::RadioGroupBinding(std::vector<Option> options, const db::Field& field, NoSelection none,
                                     int element)
    : Binding(field, element), options_(std::move(options)), none_(none)
{
}

void RadioGroupBinding::load(const db::Image& image, int record)
{
    const int stored = read(image, record);
    for (const Option& o : options_) {
        // Radio buttons of one group uncheck each other only when one is checked.
        o.button->setAutoExclusive(false);
        o.button->setChecked(o.value == stored);
        o.button->setAutoExclusive(true);
    }
}

std::optional<int> RadioGroupBinding::checkedValue() const
{
    for (const Option& o : options_)
        if (o.button->isChecked())
            return o.value;
    return std::nullopt;
}

void RadioGroupBinding::store(db::Image& image, int record) const
{
    if (const std::optional<int> value = checkedValue())
        write(image, record, *value);
    else
        applyNoSelection(none_, image, *this, record);
}

QWidget* RadioGroupBinding::control() const
{
    return options_.empty() ? nullptr : options_.front().button;
}

// ---- CheckBinding ------------------------------------------------------------------------------

CheckBinding::CheckBinding(QCheckBox* box, const db::Field& field, int element)
    : Binding(field, element), box_(box)
{
}

void CheckBinding::load(const db::Image& image, int record)
{
    box_->setChecked(read(image, record) != 0);
}

void CheckBinding::store(db::Image& image, int record) const
{
    write(image, record, box_->isChecked() ? 1 : 0);
}

QWidget* CheckBinding::control() const
{
    return box_;
}

// ---- NumberBinding -----------------------------------------------------------------------------

NumberBinding::NumberBinding(QLineEdit* edit, const db::Field& field, Rules rules, int element)
    : Binding(field, element), edit_(edit), rules_(std::move(rules))
{
}

void NumberBinding::load(const db::Image& image, int record)
{
    const int shown = read(image, record) / rules_.scale;
    edit_->setText(QString::number(shown, rules_.base).toUpper());
}

std::optional<long long> NumberBinding::value() const
{
    // Digits only (in the edit's base), with at most one leading "-" where negatives are allowed;
    // a number too large for 32 bits is no number.
    const QString text = edit_->text();
    const bool negative = rules_.allowMinus && text.startsWith(QLatin1Char('-'));
    const QString digits = negative ? text.mid(1) : text;
    if (digits.isEmpty())
        return std::nullopt;
    for (QChar c : digits)
        if (c.digitValue() < 0 && !(rules_.base == 16 && QStringLiteral("abcdefABCDEF").contains(c)))
            return std::nullopt;
    bool ok = false;
    const qlonglong magnitude = digits.toLongLong(&ok, rules_.base);
    if (!ok || magnitude > std::numeric_limits<unsigned>::max())
        return std::nullopt;
    return negative ? -magnitude : magnitude;
}

std::optional<Refusal> NumberBinding::check(CheckPass pass) const
{
    const std::optional<long long> entered = value();
    if (pass == CheckPass::Read && !entered)
        return Refusal{rules_.notNumber.isEmpty() ? rules_.outOfRange : rules_.notNumber, edit_};
    if (pass == CheckPass::Range && entered && (*entered < rules_.minimum || *entered > rules_.maximum))
        return Refusal{rules_.outOfRange, edit_};
    return std::nullopt;
}

void NumberBinding::store(db::Image& image, int record) const
{
    if (const std::optional<long long> entered = value())
        write(image, record, static_cast<int>(*entered * rules_.scale));
}

QWidget* NumberBinding::control() const
{
    return edit_;
}

// ---- TextBinding -------------------------------------------------------------------------------

TextBinding::TextBinding(QLineEdit* edit, const db::Field& field, QString emptyMessage, int element)
    : Binding(field, element), edit_(edit), emptyMessage_(std::move(emptyMessage))
{
    edit_->setMaxLength(field.width);
    // What is typed or pasted keeps only what the slot stores; a loaded text stays as stored.
    new CharacterFilter(edit_, {}, CharacterFilter::Case::AsTyped);
}

void TextBinding::load(const db::Image& image, int record)
{
    edit_->setText(QString::fromLatin1(db::readFieldText(image, field(), record, element())));
}

std::optional<Refusal> TextBinding::check(CheckPass pass) const
{
    if (pass == CheckPass::Read && !emptyMessage_.isEmpty() && edit_->text().isEmpty())
        return Refusal{emptyMessage_, edit_};
    return std::nullopt;
}

void TextBinding::store(db::Image& image, int record) const
{
    db::writeFieldText(image, field(), edit_->text().toLatin1().toStdString(), record, element());
}

QWidget* TextBinding::control() const
{
    return edit_;
}

// ---- FieldBindings -----------------------------------------------------------------------------

void FieldBindings::load(const db::Image& image, int record) const
{
    for (const auto& b : bindings_)
        b->load(image, record);
}

void FieldBindings::loadNewRecord() const
{
    db::Image fresh{};
    for (const auto& b : bindings_)
        if (!b->field().isText() && b->field().width <= 2) // numbers; texts start empty
            db::writeField(fresh, b->field(), b->field().newRecordValue, 0, b->element());
    load(fresh, 0);
}

std::optional<Refusal> FieldBindings::check(CheckOrder order) const
{
    if (order == CheckOrder::FieldByField) {
        for (const auto& b : bindings_)
            for (CheckPass pass : {CheckPass::Read, CheckPass::Range})
                if (auto refusal = b->check(pass))
                    return refusal;
        return std::nullopt;
    }
    for (CheckPass pass : {CheckPass::Read, CheckPass::Range})
        for (const auto& b : bindings_)
            if (auto refusal = b->check(pass))
                return refusal;
    return std::nullopt;
}

void FieldBindings::store(db::Image& image, int record) const
{
    for (const auto& b : bindings_)
        b->store(image, record);
}

void showRefusal(const Refusal& refusal, QWidget* parent)
{
    platform::showMessage(refusal.message, platform::MsgButtons::Ok, refusal.icon, parent);
    focusWithTextSelected(refusal.focus);
}

} // namespace trv::editors
