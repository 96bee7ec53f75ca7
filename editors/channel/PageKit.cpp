#include "editors/channel/PageKit.h"

#include "database/FieldCatalog.h"
#include "editors/channel/ChannelTexts.h"
#include "editors/common/CharacterFilter.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include <iterator>

namespace trv::editors::channel {

namespace f = db::fields;

using db::kTenthsPerHertz;

ListEntries frequencyEntries()
{
    return scaledChoices({std::begin(f::kToneFrequencies), std::end(f::kToneFrequencies)}, kTenthsPerHertz,
                         QString::fromLatin1(text::kNoTone));
}

ListEntries guardToneEntries()
{
    return scaledChoices({std::begin(f::kGuardToneFrequencies), std::end(f::kGuardToneFrequencies)},
                         kTenthsPerHertz);
}

ListEntries currentEntries()
{
    ListEntries entries;
    for (int halfMilliamps = f::dcCurrent.minimum; halfMilliamps <= f::dcCurrent.maximum; ++halfMilliamps)
        entries.push_back({halfMilliamps, QString::asprintf("%0.1f", double(halfMilliamps) / f::dcCurrent.scale())});
    return entries;
}

ListBinding& bindFrequencyList(FieldBindings& bindings, QComboBox* box, const db::Field& field,
                               ListEntries entries, int element)
{
    return bindings.add<ListBinding>(box, field, std::move(entries), NoSelection::write(0), element)
        .setMatcher(ListBinding::matchScaled(kTenthsPerHertz));
}

NumberBinding::Rules rangeRule(const db::Field& field, const char* message)
{
    return {.minimum = field.minimum, .maximum = field.maximum, .outOfRange = QString::fromLatin1(message)};
}

NumberBinding& bindLevel(FieldBindings& bindings, QLineEdit* edit, const db::Field& field,
                         const char* message)
{
    new CharacterFilter(edit, QString::fromLatin1(text::kLevelCharacters));
    NumberBinding::Rules rules = rangeRule(field, message);
    rules.allowMinus = true;
    return bindings.add<NumberBinding>(edit, field, rules);
}

QGroupBox* group(const char* title, QWidget* parent)
{
    return new QGroupBox(QString::fromLatin1(title), parent);
}

QLabel* tptDetectNote(QWidget* parent)
{
    return new QLabel(QString::fromLatin1(text::kTptDetectNote), parent);
}

db::Image claimedView(const db::Image& image, int channel, const db::AreaLayout& layout, bool areaIsOurs,
                      const db::Field* also)
{
    db::Image view = image;
    if (areaIsOurs)
        return view;
    for (const db::Field& field : layout.fields)
        db::writeDefault(view, field, channel);
    if (also)
        db::writeDefault(view, *also, channel);
    return view;
}

} // namespace trv::editors::channel
