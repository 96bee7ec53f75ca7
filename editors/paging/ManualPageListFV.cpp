#include "editors/paging/ManualPageListFV.h"

#include "database/FieldCatalog.h"
#include "editors/common/ButtonTable.h"
#include "editors/paging/FormatEditors.h"
#include "editors/paging/MpageRequestProtDlg.h"
#include "editors/paging/PagingFormatDlg.h"
#include "editors/paging/PagingTexts.h"
#include "platform/MessageBox.h"

#include <algorithm>

namespace trv::editors::paging {

namespace f = db::fields;

namespace {

constexpr int kColumnWidth = 150;

std::string labelOf(int record)
{
    return db::readFieldText(db::theImage(), f::pagingLabel, record);
}

bool anyFormatDefined()
{
    for (int k = 0; k < db::kPagingFormats.count; ++k)
        if (!labelOf(k).empty())
            return true;
    return false;
}

void warn(QLatin1StringView message, QWidget* parent)
{
    platform::showMessage(message, platform::MsgButtons::Ok, platform::MsgIcon::Exclamation, parent);
}

} // namespace

ManualPageListFV::ManualPageListFV(EditorHost& host, QWidget* parent)
    : ListWindow(host,
                 {text::kTitle,
                  text::kPrompt,
                  {{text::kLabelColumn, kColumnWidth}, {text::kBaseFormatColumn, kColumnWidth}},
                  db::kPagingFormats.count,
                  text::kNoFormat},
                 parent)
{
}

std::vector<ListWindow::Row> ManualPageListFV::rows() const
{
    std::vector<Row> found;
    for (int k = 0; k < db::kPagingFormats.count; ++k) {
        const std::string label = labelOf(k);
        if (label.empty())
            continue;
        const int type = db::readField(db::theImage(), f::formatType, k);
        found.push_back({{QString::fromLatin1(label), formatTypeName(type)}, k});
    }
    return found;
}

std::optional<int> ManualPageListFV::recordOfRow(int rowRecord, Match match) const
{
    const auto row = std::find_if(shownRows().begin(), shownRows().end(),
                                  [rowRecord](const Row& r) { return r.record == rowRecord; });
    if (row == shownRows().end())
        return std::nullopt;
    const std::string label = row->texts.front().toLatin1().toStdString();
    std::optional<int> found;
    for (int k = 0; k < db::kPagingFormats.count; ++k) {
        if (labelOf(k) != label)
            continue;
        found = k;
        if (match == Match::First)
            break;
    }
    return found;
}

void ManualPageListFV::add()
{
    MpageRequestProtDlg choice(host(), helpContext(), this);
    if (choice.run() != QDialog::Accepted)
        return;
    PagingFormatDlg editor(host(), choice.chosen(), PagingFormatDlg::kNewFormat, this);
    if (editor.run() != QDialog::Accepted)
        return;
    formatsChanged();
    refill(kLastRow);
}

void ManualPageListFV::edit(int rowRecord)
{
    const std::optional<int> record = recordOfRow(rowRecord, Match::Last);
    if (!record)
        return;
    // The editor follows the type of the record it edits, so a record is never rewritten under
    // another type's layout; a type without an editor (21 and the unnamed ones) is not editable.
    const FormatEditor* editor = formatEditor(db::readField(db::theImage(), f::formatType, *record));
    if (!editor)
        return;
    PagingFormatDlg dialog(host(), *editor, *record, this);
    if (dialog.run() != QDialog::Accepted)
        return;
    formatsChanged();
    refill(0);
    const auto& shown = shownRows();
    const auto edited =
        std::find_if(shown.begin(), shown.end(), [&](const Row& r) { return r.record == *record; });
    selectRow(static_cast<int>(edited - shown.begin()));
}

bool ManualPageListFV::usedBySpeedPage(int record) const
{
    const db::Image& image = db::theImage();
    for (int s = 0; s < db::kSpeedPages.count; ++s)
        if (!db::readFieldText(image, f::speedPageLabel, s).empty() &&
            db::readField(image, f::speedPageFormat, s) == record)
            return true;
    return false;
}

bool ManualPageListFV::usedByButton(int record) const
{
    // The image's table and the buttons editor's unsaved one when it is open: a button just given
    // this format counts, and so does one just taken off it, which Cancel would give back.
    return anyButtonRefersTo(host().buttonTables(), ButtonKind::ManualPage, record);
}

bool ManualPageListFV::mayRemove(int rowRecord)
{
    const std::optional<int> record = recordOfRow(rowRecord, Match::First);
    if (!record)
        return false;
    if (usedBySpeedPage(*record)) {
        warn(text::kUsedBySpeedPage, this);
        return false;
    }
    if (usedByButton(*record)) {
        warn(text::kUsedByButton, this);
        return false;
    }
    return true;
}

bool ManualPageListFV::remove(int rowRecord)
{
    const std::optional<int> record = recordOfRow(rowRecord, Match::First);
    if (!record)
        return false;
    // Only the label's first byte and the type are cleared; the record is free for the next Add.
    db::Image& image = db::theImage();
    image[static_cast<std::size_t>(f::pagingLabel.at(*record))] = 0;
    db::writeField(image, f::formatType, 0, *record);
    host().document().setModified();
    if (!anyFormatDefined() && host().isEditorOpen(EditorKind::SpeedPaging))
        host().closeEditor(EditorKind::SpeedPaging);
    formatsChanged();
    host().refreshSpeedPagingItem();
    return true;
}

void ManualPageListFV::formatsChanged()
{
    host().notifyImageChanged({ChangedArea::PagingFormats, {}}, this);
}

} // namespace trv::editors::paging
