#include "editors/buttons/ButtonRules.h"

#include "database/FieldCatalog.h"
#include "editors/buttons/ButtonTexts.h"

#include <algorithm>
#include <iterator>

namespace trv::editors {

namespace f = db::fields;
namespace btext = buttons::text;

namespace {

using K = ButtonKind;
using S = ParameterSource;

static_assert(db::kFrequencyPairCount == std::size(btext::kFrequencyPairs));
static_assert(std::size(btext::kShortLabels) == std::size(f::kButtonKinds));

// The configured records of a label-keyed table as choices: value = record index + 1.
ListEntries recordChoices(const db::Image& image, const db::Field& label)
{
    ListEntries entries;
    for (int record = 0; record < label.region->count; ++record) {
        const std::string name = db::readFieldText(image, label, record);
        if (!name.empty())
            entries.push_back({record + 1, QString::fromStdString(name)});
    }
    return entries;
}

const db::Field* labelOfReferencedTable(ButtonKind kind)
{
    switch (kind) {
    case K::ManualPage:
        return &f::pagingLabel;
    case K::SpeedPage:
        return &f::speedPageLabel;
    default:
        return nullptr;
    }
}

} // namespace

bool ButtonRules::multiChannel() const
{
    return db::isMultiChannel(image_);
}

const ButtonFunction* ButtonRules::function(std::uint8_t kind) const
{
    return db::buttonFunction(image_, kind);
}

QString ButtonRules::kindName(ButtonKind kind)
{
    const std::optional<db::Choice> choice = f::buttonKind.choice(static_cast<int>(kind));
    return choice ? QString::fromLatin1(choice->text.data(), static_cast<qsizetype>(choice->text.size()))
                  : QString();
}

QString ButtonRules::shortLabel(std::uint8_t kind)
{
    return kind < std::size(btext::kShortLabels) ? btext::kShortLabels[kind] : QString();
}

bool ButtonRules::kindUsedElsewhere(const ButtonEntries& table, int button, ButtonKind kind) const
{
    for (int k = 0; k < kButtonCount; ++k) {
        if (k != button && buttonEntry(table, k).is(kind))
            return true;
    }
    return false;
}

bool ButtonRules::usedByOtherButton(const ButtonEntries& table, int button, ButtonEntry entry) const
{
    for (int k = 0; k < kButtonCount; ++k) {
        if (k != button && buttonEntry(table, k) == entry)
            return true;
    }
    return false;
}

std::vector<ButtonKind> ButtonRules::offeredKinds(const ButtonEntries& table, int button) const
{
    std::vector<ButtonKind> kinds;
    for (const ButtonFunction& listed : db::buttonFunctions()) {
        const ButtonFunction& fn = *function(listed.kind);
        const auto kind = static_cast<ButtonKind>(fn.kind);
        if (fn.multiChannelOnly && !multiChannel())
            continue;
        if (fn.oncePerTable && kindUsedElsewhere(table, button, kind))
            continue;
        kinds.push_back(kind);
    }
    std::sort(kinds.begin(), kinds.end(), [](ButtonKind a, ButtonKind b) {
        return kindName(a).compare(kindName(b), Qt::CaseInsensitive) < 0;
    });
    return kinds;
}

ListEntries ButtonRules::parameterChoices(const ButtonEntries& table, int button, ButtonKind kind) const
{
    const ButtonFunction& fn = *function(static_cast<std::uint8_t>(kind));
    ListEntries all;
    switch (fn.source) {
    case S::None:
        return {};
    case S::PagingFormat:
    case S::SpeedPage:
        all = recordChoices(image_, *labelOfReferencedTable(kind));
        break;
    case S::FrequencyPair:
        for (int value = 1; value <= fn.count; ++value)
            all.push_back({value, btext::kFrequencyPairs[value - 1]});
        break;
    case S::Number:
        all = numberChoices(1, fn.count);
        break;
    }
    ListEntries left;
    std::copy_if(all.begin(), all.end(), std::back_inserter(left), [&](const ListEntry& choice) {
        return !usedByOtherButton(table, button,
                                  {static_cast<std::uint8_t>(kind), static_cast<std::uint8_t>(choice.value)});
    });
    return left;
}

bool ButtonRules::refersToMissingRecord(ButtonEntry entry) const
{
    const db::Field* label = labelOfReferencedTable(static_cast<ButtonKind>(entry.kind));
    if (!label)
        return false;
    const int record = entry.parameter - 1;
    return record < 0 || record >= label->region->count || db::readFieldText(image_, *label, record).empty();
}

} // namespace trv::editors
