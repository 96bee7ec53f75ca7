// One element of a field as a value: whether it holds what an editor could have written, its text
// in its unit or list text for dump and diff, its JSON form, and the checked write of a JSON value.
// A value no editor would write (out of range, not in its list, a text with bytes after its end)
// is shown and exported raw, as its stored bytes in hexadecimal.
#pragma once

#include "interchange/ImageModel.h"

#include <QJsonValue>

#include <optional>

namespace trv::interchange {

// In range, in the list, or a text that ends cleanly in printable single-byte characters.
bool holdsTypedValue(const db::Image& image, const Slot& slot);

// "30 s", "24 Hour", "\"Freq 1\"", "1950.0 Hz", "5.5 mA", "0x0001", or "raw E8".
QString displayValue(const db::Image& image, const Slot& slot);

// The typed value (number in its unit, list text, text, "0x0001"), or {"raw": "E8"}.
QJsonValue jsonValue(const db::Image& image, const Slot& slot);

// Checks a JSON value against the field (range, list, slot size) and writes it; nothing is
// written when the value is refused, and the problem is returned (without the path).
std::optional<QString> storeJsonValue(const QJsonValue& value, db::Image& image, const Slot& slot);

// {"raw": "hex"} of `size` bytes written at the offsets; the problem when the text is not that.
std::optional<QString> storeRaw(const QJsonValue& value, db::Image& image, const std::vector<int>& offsets);
QJsonValue rawValue(const db::Image& image, const std::vector<int>& offsets);
// The bytes at the offsets in hexadecimal: "E8 03".
QString rawHex(const db::Image& image, const std::vector<int>& offsets);
std::vector<int> range(int offset, int size);

// A JSON value as the file wrote it, for messages: "\"25 Hour\"", "4294967296", "an object".
QString jsonText(const QJsonValue& value);

// "0x" (or "0X") and hexadecimal digits, nothing else; values above kHexCeiling read as kHexCeiling,
// which is past every offset and range, so a long text is refused as too large, never wrapped.
inline constexpr qint64 kHexCeiling = qint64(1) << 40;
std::optional<qint64> parseHex(const QString& text);

} // namespace trv::interchange
