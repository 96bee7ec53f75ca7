// What one stored field of the database image is: where it lives, how it is encoded, what values it
// may take and what a new database holds in it. The catalogue (FieldCatalog.h) lists every field;
// editors, the new-database procedure and the interchange tools all read and write through it.
#pragma once

#include "database/Image.h"
#include "database/Layout.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace trv::db {

enum class FieldKind : std::uint8_t {
    Number,        // an integer in `unit` (ms, s, dB, dBm, or a plain count)
    Flag,          // 0 off, 1 on
    List,          // one of `choices`, by its stored value
    Text,          // a text slot of `width` bytes
    Frequency,     // tenths of a hertz; shown in Hz
    HalfMilliamps, // DC current in half milliamperes; shown in mA
    Hex,           // a number entered and shown in hexadecimal
    Area,          // bytes whose layout the `selector` field chooses among `layouts`
};

// Stored units per shown unit: a frequency is stored in tenths of a hertz, a DC current in half
// milliamperes. Every reader and writer of a shown value (editors, dump, export, import, rules)
// scales by these, through Field::scale().
inline constexpr int kTenthsPerHertz = 10;
inline constexpr int kHalfMilliampsPerMilliamp = 2;

constexpr int unitScale(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Frequency:
        return kTenthsPerHertz;
    case FieldKind::HalfMilliamps:
        return kHalfMilliampsPerMilliamp;
    default:
        return 1;
    }
}

// What the new-database procedure (and the channel reset) writes into a field.
enum class FieldInit : std::uint8_t {
    None,          // nothing: the bytes keep what they hold
    Value,         // `defaultValue`, or the element's own default (numbers and texts)
    FirstByteZero, // only the first byte is zeroed: an empty text, a free record
};

// One entry of a drop-down list: the stored value and the text the list shows for it.
struct Choice {
    int value;
    std::string_view text;
};

struct Field;

// One layout of an area field: its own fields (record offsets as for any field of the record), used
// while the selector field holds one of `selectors`.
struct AreaLayout {
    std::string_view name;
    std::span<const int> selectors;
    std::span<const Field> fields;
};

struct Field {
    std::string_view name;
    const Region* region = nullptr; // the table the field's record belongs to
    int offset = 0;                 // from the start of the record
    int width = 1;                  // bytes of one element: 1 or 2 for numbers, the slot size of a text
    FieldKind kind = FieldKind::Number;
    bool isSigned = false;
    int minimum = 0;
    int maximum = 0;
    std::string_view unit;
    std::span<const Choice> choices; // List: every value a list offers, in list order
    std::span<const int> values;     // a number the editor picks from a list: the stored values it offers
    // List: the editor shows no selection for a value it does not offer and writes the byte back
    // unchanged (the other lists rewrite such a value).
    bool keptWhenUnlisted = false;
    int count = 1; // elements of an array field, each `width` bytes after the last

    FieldInit init = FieldInit::None;
    int defaultValue = 0;                           // Value: every element without its own default
    std::span<const int> elementDefaults;           // Value: the first elements' own defaults
    std::span<const std::string_view> textDefaults; // Value, Text: the first elements' texts
    int newRecordValue = 0;                         // what an editor offers in a record it adds to the table

    std::string_view selector;           // Area: the name of the field that chooses the layout
    std::span<const AreaLayout> layouts; // Area: the layouts it may hold

    // Image offset of one element of the field in one record of its region.
    constexpr int at(int record = 0, int element = 0) const
    {
        return region->record(record) + offset + element * width;
    }
    constexpr int size() const { return width * count; } // bytes of all elements
    constexpr bool isText() const { return kind == FieldKind::Text; }
    // Stored units per shown unit (10 for a frequency, 2 for a current, else 1).
    constexpr int scale() const { return unitScale(kind); }
    // The choice for a stored value, if the list offers it.
    std::optional<Choice> choice(int value) const;
    // Whether a stored value is one the field's editor offers: in its list, its values or its range.
    bool offers(int value) const;
    // The layout that holds while the selector field holds `selectorValue`, if any.
    const AreaLayout* layoutFor(int selectorValue) const;
};

// Numbers of 1 or 2 bytes (little-endian), signed or unsigned, at any image offset.
int readNumber(const Image& image, int offset, int width, bool isSigned);
void writeNumber(Image& image, int offset, int width, int value);

// A number field's value; element and record as for Field::at.
inline int readField(const Image& image, const Field& field, int record = 0, int element = 0)
{
    return readNumber(image, field.at(record, element), field.width, field.isSigned);
}
inline void writeField(Image& image, const Field& field, int value, int record = 0, int element = 0)
{
    writeNumber(image, field.at(record, element), field.width, value);
}

// A text field's value (at most the slot, up to the first zero byte) and its zero-padded write.
inline std::string readFieldText(const Image& image, const Field& field, int record = 0, int element = 0)
{
    return readText(image, field.at(record, element), field.width);
}
inline void writeFieldText(Image& image, const Field& field, std::string_view text, int record = 0,
                           int element = 0)
{
    writeText(image, field.at(record, element), field.width, text);
}

// Writes a field's new-database default into one record (nothing for FieldInit::None).
void writeDefault(Image& image, const Field& field, int record = 0);

} // namespace trv::db
