#include "editors/customtones/EditCustomPageFV.h"

#include "database/FieldCatalog.h"
#include "editors/common/CharacterFilter.h"
#include "editors/common/EditorTexts.h"
#include "editors/common/Focus.h"
#include "editors/common/FormGrid.h"
#include "editors/customtones/CustomTonesTexts.h"
#include "editors/customtones/ToneFrequency.h"
#include "platform/MessageBox.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
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
    return QString::fromLatin1(text::kEnterIntegerBetween).arg(0).arg(kHighestNumber);
}

QString durationRange(const db::Field& field)
{
    return QString::fromLatin1(text::kEnterNumberBetween).arg(field.minimum).arg(field.maximum);
}

bool isUsed(const db::Image& image, int number)
{
    return image[f::toneNumber.at(number)] != 0;
}

} // namespace

EditCustomPageFV::EditCustomPageFV(EditorHost& host, int number, QWidget* parent)
    : EditorDialog(host, kHelpContext, parent), opened_(number)
{
    setWindowTitle(QString::fromLatin1(ctext::kEditTitle));
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

    auto duration = [&](const char* label, const db::Field& field) {
        QLineEdit* edit = form.addEdit(label);
        edit->setMaxLength(kDurationLength);
        new CharacterFilter(edit, kDigits);
        durations_.add<NumberBinding>(
            edit, field,
            NumberBinding::Rules{.minimum = field.minimum,
                                 .maximum = field.maximum,
                                 .outOfRange = durationRange(field),
                                 .notNumber = QString::fromLatin1(text::kEnterNumber)});
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { durationEdited(edit); });
    };
    auto frequency = [&](const char* label, const db::Field& field) {
        QLineEdit* edit = form.addEdit(label);
        edit->setMaxLength(kFrequencyLength);
        frequencies_.push_back({edit, field});
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { frequencyEdited(edit); });
    };
    duration(ctext::kInhibitDelayLabel, f::inhibitDelay);
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

void EditCustomPageFV::numberEdited()
{
    const std::optional<int> number = digitsValue(number_);
    if (!number || *number <= kHighestNumber)
        return;
    platform::showMessage(numberRange(), platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, this);
    number_->setText(QString::number(lowestFreeNumber()));
    focusWithTextSelected(number_);
}

void EditCustomPageFV::durationEdited(QLineEdit* edit)
{
    const db::Field& field = f::inhibitDelay; // every duration has the same range
    const std::optional<int> value = digitsValue(edit);
    if (!value || *value <= field.maximum)
        return;
    platform::showMessage(durationRange(field), platform::MsgButtons::Ok, platform::MsgIcon::Exclamation,
                          this);
    edit->setText(QString::number(field.maximum));
    focusWithTextSelected(edit);
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
        platform::showMessage(QString::fromLatin1(ctext::kFrequencyRange), platform::MsgButtons::Ok,
                              platform::MsgIcon::None, this);
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
        platform::showMessage(QString::fromLatin1(ctext::kFrequencyRange), platform::MsgButtons::Ok,
                              platform::MsgIcon::None, this);
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
        refuse({QString::fromLatin1(ctext::kNumberExists), number_, platform::MsgIcon::None});
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
