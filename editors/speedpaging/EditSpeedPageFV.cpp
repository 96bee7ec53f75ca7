#include "editors/speedpaging/EditSpeedPageFV.h"

#include "database/FieldCatalog.h"
#include "editors/common/CharacterFilter.h"
#include "editors/common/EditorTexts.h"
#include "editors/common/FormGrid.h"
#include "editors/speedpaging/DigitRules.h"
#include "editors/speedpaging/SpeedPages.h"
#include "editors/speedpaging/SpeedPagingTexts.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>

namespace trv::editors {

namespace f = db::fields;
namespace stext = speedpaging::text;

namespace {

constexpr int kFieldWidth = 260;

// One entry per paging format in use, in record order, standing for its record index.
ListEntries pagingFormatEntries(const db::Image& image)
{
    ListEntries entries;
    for (int index = 0; index < f::pagingLabel.region->count; ++index)
        if (const std::optional<QString> text = speedpaging::formatText(image, index))
            entries.push_back({index, *text});
    return entries;
}

std::string latin1(const QLineEdit* edit)
{
    return edit->text().toLatin1().toStdString();
}

} // namespace

EditSpeedPageFV::EditSpeedPageFV(EditorHost& host, int record, QWidget* parent)
    : EditorDialog(host, kHelpContext, parent), record_(record)
{
    setWindowTitle(stext::kEditTitle);
    auto* fields = new QWidget(this);
    FormGrid form(fields, 1);
    label_ = form.addEdit(stext::kLabelLabel);
    format_ = form.addList(stext::kFormatLabel);
    digits_ = form.addEdit(stext::kDigitsLabel);
    for (QWidget* control :
         {static_cast<QWidget*>(label_), static_cast<QWidget*>(format_), static_cast<QWidget*>(digits_)})
        control->setMinimumWidth(kFieldWidth);
    new CharacterFilter(digits_, QString()); // letters become upper case as they are typed

    const db::Image& image = db::theImage();
    bindings_.add<TextBinding>(label_, f::speedPageLabel);
    formatBinding_ = &bindings_.add<ListBinding>(format_, f::speedPageFormat, pagingFormatEntries(image),
                                                 NoSelection::keepStored());
    bindings_.add<TextBinding>(digits_, f::speedPageDigits);
    if (record_ != kNewPage)
        bindings_.load(image, record_); // a format index that names no paging format selects nothing
    else
        format_->setCurrentIndex(format_->count() > 0 ? 0 : -1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fields);
    layout->addWidget(okCancelButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

// Checked in this order: empty fields, the digit rules of the chosen format's type, a label that
// another speed page has. Refusals show without an icon, except the duplicate label.
std::optional<Refusal> EditSpeedPageFV::check() const
{
    const QString fillAll = text::kFillAllFields;
    if (label_->text().isEmpty())
        return Refusal{fillAll, label_, platform::MsgIcon::None};
    if (digits_->text().isEmpty())
        return Refusal{fillAll, digits_, platform::MsgIcon::None};
    const std::optional<int> format = formatBinding_->selectedValue();
    if (!format)
        return Refusal{fillAll, format_, platform::MsgIcon::None};

    const db::Image& image = db::theImage();
    const speedpaging::DigitRule& rule =
        speedpaging::digitRuleFor(db::readField(image, f::formatType, *format));
    if (!rule.accepts(digits_->text()))
        return Refusal{rule.message, digits_, platform::MsgIcon::None};

    const db::SortedTable& table = speedpaging::speedPageTable();
    const std::string label = latin1(label_);
    for (int r = 0; r < table.capacity(); ++r)
        if (r != record_ && !table.isFree(image, r) && table.label(image, r) == label)
            return Refusal{text::kLabelExists, label_};
    return std::nullopt;
}

bool EditSpeedPageFV::commit()
{
    if (const std::optional<Refusal> refusal = check()) {
        refuse(*refusal);
        return false;
    }
    db::Image& image = db::theImage();
    if (record_ == kNewPage && speedpaging::speedPageTable().firstFree(image) < 0)
        return false; // the list offers no Add on a full table
    moves_ = speedpaging::storeSpeedPage(image, record_,
                                         {latin1(label_), *formatBinding_->selectedValue(), latin1(digits_)});
    host().document().setModified();
    return true;
}

} // namespace trv::editors
