#include "editors/aliases/EditAliasFV.h"

#include "database/FieldCatalog.h"
#include "editors/aliases/AliasTexts.h"
#include "editors/common/CharacterFilter.h"
#include "editors/common/EditorTexts.h"
#include "editors/common/FormGrid.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

namespace trv::editors {

namespace f = db::fields;
namespace atext = aliases::text;

namespace {

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string slotText(const QLineEdit* edit)
{
    return edit->text().toLatin1().toStdString();
}

} // namespace

EditAliasFV::EditAliasFV(EditorHost& host, int record, QWidget* parent)
    : EditorDialog(host, kHelpContext, parent), record_(record)
{
    buildForm();
    if (record_ == kNewAlias) {
        mdc1200_->setChecked(true);
    } else {
        bindings_.load(db::theImage(), record_);
        const bool dtmf = db::readField(db::theImage(), f::aliasUnitType, record_) != db::alias::kMdc1200;
        (dtmf ? dtmf_ : mdc1200_)->setChecked(true);
    }
}

const db::SortedTable& EditAliasFV::table()
{
    return db::aliasTable();
}

bool EditAliasFV::isValidPttId(const QString& id, bool dtmf)
{
    const QString allowed = latin1(dtmf ? db::alias::kDtmfIdCharacters : db::alias::kMdc1200IdCharacters);
    const bool lengthOk =
        dtmf ? !id.isEmpty() && id.size() <= f::aliasPttId.width : id.size() == db::alias::kMdc1200IdLength;
    return lengthOk && CharacterFilter::allowedPrefix(id, allowed) == id;
}

// Controls are created in form order, which is also their tab order.
void EditAliasFV::buildForm()
{
    setWindowTitle(atext::kDialogTitle);

    // The two edits sit in plain widgets without margins of their own, so that they line up with
    // the groups around them.
    auto labelled = [](QWidget* box, QLatin1StringView label) {
        FormGrid form(box, 1);
        form.layout()->setContentsMargins(0, 0, 0, 0);
        return form.addEdit(label);
    };
    auto* top = new QWidget(this);
    label_ = labelled(top, atext::kLabelLabel);

    auto* entry = new QGroupBox(atext::kEntryConfigGroup, this);
    auto* protocol = new QGroupBox(atext::kProtocolGroup, entry);
    mdc1200_ = new QRadioButton(atext::kMdc1200Unit, protocol);
    dtmf_ = new QRadioButton(atext::kDtmfUnit, protocol);
    auto* units = new QVBoxLayout(protocol);
    units->addWidget(mdc1200_);
    units->addWidget(dtmf_);
    auto* idBox = new QWidget(entry);
    pttId_ = labelled(idBox, atext::kPttIdLabel);
    auto* entryLayout = new QHBoxLayout(entry);
    entryLayout->addWidget(protocol);
    entryLayout->addWidget(idBox, 0, Qt::AlignTop);

    // Typed letters become upper case; characters are checked against the unit type on OK, so
    // switching the unit type never changes what was typed.
    new CharacterFilter(pttId_, {});

    const QString fillAll = text::kFillAllFields;
    bindings_.add<TextBinding>(label_, f::aliasLabel, fillAll);
    bindings_.add<TextBinding>(pttId_, f::aliasPttId, fillAll);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(top);
    layout->addWidget(entry);
    layout->addWidget(okCancelButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool EditAliasFV::commit()
{
    // Both texts filled (the label first), then the PTT ID's form, then the duplicates. The
    // dialog's messages are plain boxes: OK and no icon.
    const auto refusePlainly = [this](Refusal refusal) {
        refusal.icon = platform::MsgIcon::None;
        refuse(refusal);
        return false;
    };
    if (const std::optional<Refusal> empty = bindings_.check())
        return refusePlainly(*empty);
    const bool dtmf = dtmf_->isChecked();
    if (!isValidPttId(pttId_->text(), dtmf))
        return refusePlainly({dtmf ? atext::kInvalidDtmfId : atext::kInvalidMdc1200Id, pttId_});
    db::Image& image = db::theImage();
    if (table().findOther(image, f::aliasPttId, slotText(pttId_), record_) >= 0)
        return refusePlainly({atext::kPttIdExists, pttId_});
    if (table().findOther(image, f::aliasLabel, slotText(label_), record_) >= 0)
        return refusePlainly({text::kLabelExists, label_});
    const int at = record_ == kNewAlias ? table().firstFree(image) : record_;
    if (at < 0) // every record in use: nothing may be overwritten
        return refusePlainly({atext::kTableFull, label_});

    bindings_.store(image, at);
    db::writeField(image, f::aliasUnitType, dtmf ? db::alias::kDtmf : db::alias::kMdc1200, at);
    moves_ = table().resort(image, at);
    host().document().setModified();
    return true;
}

} // namespace trv::editors
