// Lays out labelled controls in a grid, a label above its control, a fixed number of columns to a
// row, in the order they are added (which is also the tab order). Check boxes start on a row of
// their own. Every label is the buddy of its control, so its "&" access key reaches the control.
#pragma once

#include <QLatin1StringView>
#include <QString>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QWidget;

namespace trv::editors {

class NumberEdit;

// Makes an edit accept digits only (at most maxLength of them when it is not 0).
void acceptDigitsOnly(QLineEdit* edit, int maxLength = 0);

class FormGrid {
public:
    FormGrid(QWidget* group, int columns);

    QComboBox* addList(QLatin1StringView label);
    NumberEdit* addNumber(QLatin1StringView label, unsigned minimum, unsigned maximum);
    QLineEdit* addEdit(QLatin1StringView label);
    // An edit that accepts digits only (at most maxLength of them when it is not 0).
    QLineEdit* addDigits(QLatin1StringView label, int maxLength = 0);
    QCheckBox* addCheck(QLatin1StringView label);
    // Any other control, under its label.
    QWidget* addControl(QLatin1StringView label, QWidget* control);
    // Leaves the next cell empty, so that the following control starts the next row sooner.
    void skipCell() { ++cell_; }

    QGridLayout* layout() const { return grid_; }

private:
    QWidget* group_;
    QGridLayout* grid_;
    int columns_;
    int cell_ = 0;
    bool checksStarted_ = false;
};

} // namespace trv::editors
