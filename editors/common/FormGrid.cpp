#include "editors/common/FormGrid.h"

#include "editors/common/NumberEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace trv::editors {

namespace {
constexpr int kPairSpacing = 6; // pairs apart, a label close to its control
constexpr int kLabelRoom = 4;   // beyond a label's text: its last letter's overhang
} // namespace

FormGrid::FormGrid(QWidget* group, int columns)
    : group_(group), grid_(new QGridLayout(group)), columns_(columns)
{
}

QComboBox* FormGrid::addList(QLatin1StringView label)
{
    return static_cast<QComboBox*>(addControl(label, new QComboBox(group_)));
}

NumberEdit* FormGrid::addNumber(QLatin1StringView label, unsigned minimum, unsigned maximum)
{
    return static_cast<NumberEdit*>(addControl(label, new NumberEdit(minimum, maximum, group_)));
}

QLineEdit* FormGrid::addEdit(QLatin1StringView label)
{
    return static_cast<QLineEdit*>(addControl(label, new QLineEdit(group_)));
}

void acceptDigitsOnly(QLineEdit* edit, int maxLength)
{
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
}

QLineEdit* FormGrid::addDigits(QLatin1StringView label, int maxLength)
{
    QLineEdit* edit = addEdit(label);
    acceptDigitsOnly(edit, maxLength);
    return edit;
}

QCheckBox* FormGrid::addCheck(QLatin1StringView label)
{
    if (cell_ % columns_ != 0 && !checksStarted_)
        cell_ += columns_ - cell_ % columns_;
    checksStarted_ = true;
    auto* box = new QCheckBox(label, group_);
    grid_->addWidget(box, 2 * (cell_ / columns_), cell_ % columns_);
    ++cell_;
    return box;
}

QWidget* FormGrid::addControl(QLatin1StringView label, QWidget* control)
{
    auto* caption = new QLabel(label, group_);
    caption->setBuddy(control);
    // Its label names it for assistive technology too; a composite control (a number edit) is
    // named on the edit that takes its focus.
    const QString name = QString(caption->text()).remove(QRegularExpression(QStringLiteral("&(?!&)")));
    control->setAccessibleName(name);
    // Never narrower than its text, whatever the control below it asks of the column.
    caption->setMinimumWidth(caption->fontMetrics().horizontalAdvance(name) + kLabelRoom);
    if (QWidget* proxy = control->focusProxy())
        proxy->setAccessibleName(name);
    const int row = 2 * (cell_ / columns_);
    if (row > 0)
        caption->setContentsMargins(0, kPairSpacing, 0, 0);
    grid_->addWidget(caption, row, cell_ % columns_);
    grid_->addWidget(control, row + 1, cell_ % columns_);
    ++cell_;
    return control;
}

} // namespace trv::editors
