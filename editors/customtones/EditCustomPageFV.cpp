#include "editors/customtones/EditCustomPageFV.h"

#include "database/FieldCatalog.h"
#include "editors/common/CharacterFilter.h"
#include "editors/common/EditorTexts.h"
#include "editors/common/Focus.h"
#include "editors/common/FormGrid.h"
#include "editors/customtones/CustomTonesTexts.h"
#include "editors/customtones/ToneFrequency.h"
#include "platform/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QLineEdit>

namespace trv::editors {

namespace f = db::fields;
namespace ctext = customtones::text;
using customtones::formatTenths;
using customtones::parseTenths;

namespace {

constexpr int kColumns = 2;
constexpr int kHighestNumber = 99;
const QString kDigits = QStringLiteral("0123456789");
// Long enough to type a value past each range, short enough that no entry overflows.
constexpr int kNumberLength = 3;
constexpr int kDurationLength = 5;
constexpr int kFrequencyLength = 6;

// A whole number typed into a digits-only edit; nothing when empty.
std::optional<int> digitsValue(const QLineEdit* edit)
{
    bool ok = false;
    const int value = edit->text().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

QString numberRange()
{
    return QString(text::kEnterIntegerBetween).arg(0).arg(kHighestNumber);
}

QString durationRange(const db::Field& field)
{
    return QString(text::kEnterNumberBetween).arg(field.minimum).arg(field.maximum);
}

bool isUsed(const db::Image& image, int number)
{
    return image[f::toneNumber.at(number)] != 0;
}

} // namespace

EditCustomPageFV::EditCustomPageFV(EditorHost& host, int number, QWidget* parent)
    : EditorDialog(host, kHelpContext, parent), opened_(number)
{
    setWindowTitle(ctext::kEditTitle);
    buildForm();
    load();
}

// Fields in form order, which is also the tab order: the number and the inhibit delay, then each
// tone with its duration, the intertone delay between them.
void EditCustomPageFV::buildForm()
{
    auto* fields = new QWidget(this);
    FormGrid form(fields, kColumns);
    number_ = form.addEdit(ctext::kNumberLabel);
    number_->setMaxLength(kNumberLength);
    new CharacterFilter(number_, kDigits);
    connect(number_, &QLineEdit::textEdited, this, &EditCustomPageFV::numberEdited);

    auto duration = [&](QLatin1StringView label, const db::Field& field) {
        QLineEdit* edit = form.addEdit(label);
        edit->setMaxLength(kDurationLength);
        new CharacterFilter(edit, kDigits);
        durations_.add<NumberBinding>(edit, field,
                                      NumberBinding::Rules{.minimum = field.minimum,
                                                           .maximum = field.maximum,
                                                           .outOfRange = durationRange(field),
                                                           .notNumber = text::kEnterNumber});
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { durationEdited(edit); });
        return edit;
    };
    auto frequency = [&](QLatin1StringView label, const db::Field& field) {
        QLineEdit* edit = form.addEdit(label);
        edit->setMaxLength(kFrequencyLength);
        frequencies_.push_back({edit, field});
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { frequencyEdited(edit); });
    };
    inhibitDelay_ = duration(ctext::kInhibitDelayLabel, f::inhibitDelay);
    inhibitDelay_->installEventFilter(this);
    frequency(ctext::kFirstToneLabel, f::firstToneFrequency);
    duration(ctext::kFirstToneDurationLabel, f::firstToneDuration);
    duration(ctext::kIntertoneDelayLabel, f::intertoneDelay);
    form.skipCell();
    frequency(ctext::kSecondToneLabel, f::secondToneFrequency);
    duration(ctext::kSecondToneDurationLabel, f::secondToneDuration);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fields);
    layout->addWidget(okCancelButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void EditCustomPageFV::load()
{
    const db::Image& image = db::theImage();
    if (opened_ != kNewTone) {
        offered_ = opened_;
        durations_.load(image, opened_);
        for (const Frequency& freq : frequencies_)
            freq.edit->setText(formatTenths(db::readField(image, freq.field, opened_)));
    } else {
        offered_ = lowestFreeNumber();
        durations_.loadNewRecord();
        for (const Frequency& freq : frequencies_)
            freq.edit->setText(formatTenths(freq.field.newRecordValue));
    }
    number_->setText(QString::number(offered_));
}

int EditCustomPageFV::lowestFreeNumber() const
{
    for (int n = 0; n < f::toneNumber.region->count; ++n)
        if (!isUsed(db::theImage(), n))
            return n;
    return opened_ == kNewTone ? 0 : opened_;
}

std::optional<Refusal> EditCustomPageFV::checkNumber() const
{
    const std::optional<int> number = digitsValue(number_);
    if (!number || *number > kHighestNumber)
        return Refusal{numberRange(), number_};
    return std::nullopt;
}

void EditCustomPageFV::readFields()
{
    std::optional<Refusal> refusal = checkNumber();
    if (!refusal)
        refusal = durations_.check(CheckOrder::FieldByField);
    if (refusal)
        refuse(*refusal);
}

// A number of 100 or more is replaced by the lowest free number, after the reading's message.
void EditCustomPageFV::numberEdited()
{
    if (number_->text().isEmpty())
        return;
    readFields();
    const std::optional<int> number = digitsValue(number_);
    if (!number || *number <= kHighestNumber)
        return;
    number_->setText(QString::number(lowestFreeNumber()));
    focusWithTextSelected(number_);
}

// The field typed in is clamped only when it is itself above the range.
void EditCustomPageFV::durationEdited(QLineEdit* edit)
{
    if (edit->text().isEmpty())
        return;
    readFields();
    const db::Field& field = f::inhibitDelay; // every duration has the same range
    const std::optional<int> value = digitsValue(edit);
    if (!value || *value <= field.maximum)
        return;
    edit->setText(QString::number(field.maximum));
    focusWithTextSelected(edit);
}

// Leaving the inhibit delay for another control of the dialog (Tab, Shift+Tab, a click, a
// mnemonic) reads every field; losing the focus to a message box, another window or Cancel does
// not. The reading runs once the focus has moved, not in the middle of the move.
bool EditCustomPageFV::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == inhibitDelay_ && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool byTheUser = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                               reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason;
        QWidget* next = QApplication::focusWidget();
        const auto* buttons = findChild<QDialogButtonBox*>();
        auto* button = qobject_cast<QAbstractButton*>(next);
        const bool cancelling =
            buttons && button && buttons->buttonRole(button) == QDialogButtonBox::RejectRole;
        if (byTheUser && next && next != inhibitDelay_ && isAncestorOf(next) && !cancelling)
            QMetaObject::invokeMethod(this, &EditCustomPageFV::readFields, Qt::QueuedConnection);
    }
    return EditorDialog::eventFilter(watched, event);
}

// Only digits and one "." with at most one decimal stay; a value of 3400 Hz or more is replaced by
// the highest frequency.
void EditCustomPageFV::frequencyEdited(QLineEdit* edit)
{
    const QString typed = edit->text();
    if (typed.isEmpty())
        return;
    const QString kept = customtones::filterFrequencyText(typed);
    const int highest = f::firstToneFrequency.maximum;
    if (parseTenths(kept).value_or(0) >= highest) {
        platform::showMessage(ctext::kFrequencyRange, platform::MsgButtons::Ok, platform::MsgIcon::None,
                              this);
        edit->setText(formatTenths(highest));
        focusWithTextSelected(edit);
        return;
    }
    if (kept != typed) {
        const int caret = edit->cursorPosition();
        edit->setText(kept);
        edit->setCursorPosition(std::min(caret, static_cast<int>(kept.size())));
    }
}

bool EditCustomPageFV::frequenciesInRange()
{
    for (const Frequency& freq : frequencies_) {
        const std::optional<int> tenths = parseTenths(freq.edit->text());
        const bool above = tenths && *tenths > freq.field.maximum;
        if (tenths && !above && *tenths >= freq.field.minimum)
            continue;
        // An empty field counts as too low; a pasted value past the top is refused as well, so that
        // it never wraps in the 16-bit field.
        platform::showMessage(ctext::kFrequencyRange, platform::MsgButtons::Ok, platform::MsgIcon::None,
                              this);
        freq.edit->setText(formatTenths(above ? freq.field.maximum : freq.field.minimum));
        focusWithTextSelected(freq.edit);
        return false;
    }
    return true;
}

bool EditCustomPageFV::commit()
{
    std::optional<Refusal> refusal = checkNumber();
    if (!refusal)
        refusal = durations_.check(CheckOrder::FieldByField);
    if (refusal) {
        refuse(*refusal);
        return false;
    }
    if (!frequenciesInRange())
        return false;

    db::Image& image = db::theImage();
    const int number = *digitsValue(number_);
    if (number != opened_ && isUsed(image, number)) {
        number_->setText(QString::number(offered_));
        refuse({ctext::kNumberExists, number_, platform::MsgIcon::None});
        return false;
    }

    if (opened_ != kNewTone && number != opened_)
        image[f::toneNumber.at(opened_)] = 0; // the tone moves to its new number's record
    db::writeFieldText(image, f::toneNumber, QString::number(number).toStdString(), number);
    durations_.store(image, number);
    for (const Frequency& freq : frequencies_)
        db::writeField(image, freq.field, *parseTenths(freq.edit->text()), number);
    saved_ = number;
    host().document().setModified();
    return true;
}

} // namespace trv::editors
