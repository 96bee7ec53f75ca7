#include "editors/buttons/ButtonConfigDlg.h"

#include "editors/buttons/ButtonTexts.h"
#include "platform/MessageBox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace trv::editors {

namespace btext = buttons::text;

ButtonConfigDlg::ButtonConfigDlg(EditorHost& host, WorkingButtonTable& table, const ButtonRules& rules,
                                 int button, QWidget* parent)
    : EditorDialog(host, kHelpContext, parent), table_(table), rules_(rules), button_(button)
{
    setWindowTitle(btext::kDialogTitle);

    auto* typeLabel = new QLabel(btext::kTypeLabel, this);
    type_ = new QComboBox(this);
    typeLabel->setBuddy(type_);
    parameterLabel_ = new QLabel(btext::kParameterLabel, this);
    parameter_ = new QComboBox(this);
    parameterLabel_->setBuddy(parameter_);
    // Wide enough for the longest function name and "No function label available." alike.
    parameter_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    parameter_->setMinimumContentsLength(static_cast<int>(btext::kNoFunctionLabel.size()));
    type_->setMinimumContentsLength(static_cast<int>(btext::kNoFunctionLabel.size()));

    auto* grid = new QGridLayout;
    grid->addWidget(typeLabel, 0, 0);
    grid->addWidget(type_, 0, 1);
    grid->addWidget(parameterLabel_, 1, 0);
    grid->addWidget(parameter_, 1, 1);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addWidget(okCancelButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const ButtonEntries& entries = table_.entries();
    for (ButtonKind kind : rules_.offeredKinds(entries, button_))
        type_->addItem(ButtonRules::kindName(kind), static_cast<int>(kind));
    const ButtonEntry current = table_.entry(button_);
    type_->setCurrentIndex(type_->findData(static_cast<int>(current.kind)));
    fillParameters();
    // The current parameter by its value: labels of records may share a prefix ("FIRE", "FIRE2").
    const int parameterIndex = parameter_->findData(static_cast<int>(current.parameter));
    if (parameterIndex >= 0)
        parameter_->setCurrentIndex(parameterIndex);
    connect(type_, &QComboBox::currentIndexChanged, this, &ButtonConfigDlg::fillParameters);
}

std::optional<ButtonKind> ButtonConfigDlg::selectedKind() const
{
    if (type_->currentIndex() < 0)
        return std::nullopt;
    return static_cast<ButtonKind>(type_->currentData().toInt());
}

void ButtonConfigDlg::fillParameters()
{
    parameter_->clear();
    const std::optional<ButtonKind> kind = selectedKind();
    const bool hasParameter =
        kind && rules_.function(static_cast<std::uint8_t>(*kind))->source != ParameterSource::None;
    parameterLabel_->setVisible(hasParameter);
    parameter_->setVisible(hasParameter);
    if (!hasParameter)
        return;
    const ListEntries choices = rules_.parameterChoices(table_.entries(), button_, *kind);
    for (const ListEntry& choice : choices)
        parameter_->addItem(choice.text, choice.value);
    if (choices.empty())
        parameter_->addItem(btext::kNoFunctionLabel); // carries no value
    parameter_->setCurrentIndex(0);
}

bool ButtonConfigDlg::nothingLeftToChoose() const
{
    return parameter_->isVisibleTo(this) && parameter_->count() == 1 && !parameter_->itemData(0).isValid();
}

bool ButtonConfigDlg::commit()
{
    const std::optional<ButtonKind> kind = selectedKind();
    if (!kind)
        return true; // nothing chosen: the button stays as it is
    if (nothingLeftToChoose()) {
        platform::showMessage(btext::kNoFunctionLabel, platform::MsgButtons::Ok,
                              platform::MsgIcon::Exclamation, this);
        return false;
    }
    const ButtonFunction& fn = *rules_.function(static_cast<std::uint8_t>(*kind));
    std::uint8_t parameter = fn.fixedParameter;
    if (fn.source != ParameterSource::None && parameter_->currentIndex() >= 0)
        parameter = static_cast<std::uint8_t>(parameter_->currentData().toInt());
    table_.assign(button_, {static_cast<std::uint8_t>(*kind), parameter});
    return true;
}

} // namespace trv::editors
