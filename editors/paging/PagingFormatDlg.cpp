#include "editors/paging/PagingFormatDlg.h"

#include "database/FieldCatalog.h"
#include "editors/common/EditorTexts.h"
#include "editors/common/Focus.h"
#include "editors/common/FormGrid.h"
#include "editors/paging/PagingTexts.h"
#include "platform/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace trv::editors::paging {

namespace f = db::fields;

namespace {

constexpr int kColumns = 2;
// Beyond its text, a line edit needs its frame and inner margins (about 8 pixels at 100 %).
constexpr int kWholeTextRoom = 16;

QString rangeMessage(const db::Field& field)
{
    return QString(editors::text::kEnterNumberBetween).arg(field.minimum).arg(field.maximum);
}

} // namespace

PagingFormatDlg::PagingFormatDlg(EditorHost& host, const FormatEditor& editor, int record, QWidget* parent)
    : EditorDialog(host, editor.helpContext, parent), editor_(editor), record_(record)
{
    setWindowTitle(editorTitle(editor_));

    auto* heading = new QWidget(this);
    FormGrid top(heading, kColumns);
    label_ = top.addEdit(text::kLabel);
    labelBinding_.add<TextBinding>(label_, f::pagingLabel);
    QLineEdit* base = top.addEdit(text::kBaseFormat);
    base->setReadOnly(true);
    base->setFocusPolicy(Qt::NoFocus);
    base->setText(baseFormatText(editor_));
    // Shown whole, from its first letter: the frame, the edit's inner margins and a little room.
    base->setMinimumWidth(base->fontMetrics().horizontalAdvance(base->text()) + kWholeTextRoom);
    base->setCursorPosition(0);
    // Wide enough for the whole title in the window's caption.
    heading->setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 140);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    if (!editor_.controls.empty()) {
        auto* group = new QGroupBox(text::kFormatConfig, this);
        addParameterControls(group);
        layout->addWidget(group);
    }
    layout->addStretch();
    layout->addWidget(okCancelButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    if (record_ == kNewFormat) {
        // A new format starts from the layout's defaults and an empty label.
        db::Image defaults{};
        if (const db::AreaLayout* fields = f::formatParameters.layoutFor(editor_.type))
            for (const db::Field& field : fields->fields)
                db::writeDefault(defaults, field);
        parameters_.load(defaults);
    } else {
        labelBinding_.load(db::theImage(), record_);
        parameters_.load(db::theImage(), record_);
    }
    label_->setFocus();
}

void PagingFormatDlg::addParameterControls(QWidget* group)
{
    FormGrid form(group, kColumns);
    for (const ParameterControl& control : editor_.controls) {
        const db::Field* field = parameterField(editor_, control);
        Q_ASSERT(field); // the table test checks every control against the catalogue
        switch (field->kind) {
        case db::FieldKind::Flag:
            parameters_.add<CheckBinding>(form.addCheck(control.label), *field);
            break;
        case db::FieldKind::List: // a position in the list, or a coded value (the pulse tone)
            parameters_.add<ListBinding>(form.addList(control.label), *field, choicesOf(*field),
                                         NoSelection::keepStored());
            break;
        default:
            addDuration(form, control, *field);
            break;
        }
    }
}

void PagingFormatDlg::addDuration(FormGrid& form, const ParameterControl& control, const db::Field& field)
{
    QLineEdit* edit = form.addEdit(control.label);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    parameters_.add<NumberBinding>(edit, field,
                                   NumberBinding::Rules{.minimum = field.minimum,
                                                        .maximum = field.maximum,
                                                        .outOfRange = rangeMessage(field),
                                                        .notNumber = text::kEnterNumber});
    // Only the user's typing is checked: a stored value out of range is refused at OK instead of
    // interrupting the opening of the dialog.
    connect(edit, &QLineEdit::textEdited, this, [this, edit, &field] { limitDuration(edit, field); });
}

// Every field is read in form order with its range check, as OK begins: the first failure is shown
// and points at its field (perhaps another one). The field typed in is clamped only when it is
// itself above its range.
void PagingFormatDlg::limitDuration(QLineEdit* edit, const db::Field& field)
{
    if (edit->text().isEmpty())
        return;
    if (const std::optional<Refusal> refusal = parameters_.check())
        refuse(*refusal);
    bool ok = false;
    const qulonglong value = edit->text().toULongLong(&ok); // digits only: not ok means far too large
    if (ok && value <= static_cast<qulonglong>(field.maximum))
        return;
    edit->setText(QString::number(field.maximum));
    focusWithTextSelected(edit);
}

bool PagingFormatDlg::labelTakenByAnotherRecord(const std::string& label) const
{
    for (int k = 0; k < db::kPagingFormats.count; ++k)
        if (k != record_ && db::readFieldText(db::theImage(), f::pagingLabel, k) == label)
            return true;
    return false;
}

bool PagingFormatDlg::commit()
{
    if (const std::optional<Refusal> refusal = parameters_.check()) {
        refuse(*refusal);
        return false;
    }
    const std::string label = label_->text().toLatin1().toStdString();
    if (label.empty()) {
        platform::showMessage(text::kEmptyLabel, platform::MsgButtons::Ok, platform::MsgIcon::None, this);
        label_->setFocus();
        return false;
    }
    if (labelTakenByAnotherRecord(label)) { // free records have empty labels and never match
        platform::showMessage(text::kLabelExists, platform::MsgButtons::Ok, platform::MsgIcon::None, this);
        focusWithTextSelected(label_);
        return false;
    }

    db::Image& image = db::theImage();
    const bool isNew = record_ == kNewFormat;
    if (isNew) {
        int free = 0;
        while (free < db::kPagingFormats.count && !db::readFieldText(image, f::pagingLabel, free).empty())
            ++free;
        if (free == db::kPagingFormats.count) { // the list offers no Add when full: nothing to write
            reject();
            return false;
        }
        record_ = free;
    }
    db::writeField(image, f::formatType, editor_.type, record_);
    labelBinding_.store(image, record_);
    parameters_.store(image, record_);
    host().document().setModified();
    if (isNew)
        host().refreshSpeedPagingItem();
    return true;
}

} // namespace trv::editors::paging
