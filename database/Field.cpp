#include "database/Field.h"

#include <algorithm>

namespace trv::db {

std::optional<Choice> Field::choice(int value) const
{
    const auto it =
        std::find_if(choices.begin(), choices.end(), [value](const Choice& c) { return c.value == value; });
    return it == choices.end() ? std::nullopt : std::optional<Choice>(*it);
}

bool Field::offers(int value) const
{
    if (!choices.empty())
        return choice(value).has_value();
    if (!values.empty())
        return std::find(values.begin(), values.end(), value) != values.end();
    return value >= minimum && value <= maximum;
}

const AreaLayout* Field::layoutFor(int selectorValue) const
{
    for (const AreaLayout& layout : layouts)
        if (std::find(layout.selectors.begin(), layout.selectors.end(), selectorValue) !=
            layout.selectors.end())
            return &layout;
    return nullptr;
}

int readNumber(const Image& image, int offset, int width, bool isSigned)
{
    if (width == 2) {
        const std::uint16_t value = readU16(image, offset);
        return isSigned ? static_cast<std::int16_t>(value) : value;
    }
    return isSigned ? static_cast<std::int8_t>(image[offset]) : image[offset];
}

void writeNumber(Image& image, int offset, int width, int value)
{
    if (width == 2)
        writeU16(image, offset, static_cast<std::uint16_t>(value));
    else
        image[offset] = static_cast<std::uint8_t>(value);
}

void writeDefault(Image& image, const Field& field, int record)
{
    switch (field.init) {
    case FieldInit::None:
        return;
    case FieldInit::FirstByteZero:
        image[field.at(record)] = 0;
        return;
    case FieldInit::Value:
        for (int e = 0; e < field.count; ++e) {
            const auto index = static_cast<std::size_t>(e);
            if (field.isText())
                writeFieldText(image, field,
                               index < field.textDefaults.size() ? field.textDefaults[index] : "", record, e);
            else
                writeField(image, field,
                           index < field.elementDefaults.size() ? field.elementDefaults[index]
                                                                : field.defaultValue,
                           record, e);
        }
        return;
    }
}

} // namespace trv::db
