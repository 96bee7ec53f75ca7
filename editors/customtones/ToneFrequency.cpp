#include "editors/customtones/ToneFrequency.h"

#include "database/Field.h"

#include <algorithm>

namespace trv::editors::customtones {

namespace {
constexpr int kSaturated = 999999;
// One decimal digit after the point is one stored step.
static_assert(db::kTenthsPerHertz == 10);
} // namespace

std::optional<int> parseTenths(const QString& text)
{
    long long whole = 0;
    int tenth = 0;
    bool anyDigit = false;
    bool afterPoint = false;
    int decimals = 0;
    for (QChar c : text) {
        if (c == QLatin1Char('.')) {
            if (afterPoint)
                return std::nullopt;
            afterPoint = true;
            continue;
        }
        const int digit = c.isDigit() ? c.digitValue() : -1;
        if (digit < 0 || c.unicode() > 0x7F)
            return std::nullopt;
        anyDigit = true;
        if (!afterPoint)
            whole = std::min<long long>(whole * 10 + digit, kSaturated);
        else if (decimals++ == 0)
            tenth = digit;
    }
    if (!anyDigit)
        return std::nullopt;
    return static_cast<int>(std::min<long long>(whole * db::kTenthsPerHertz + tenth, kSaturated));
}

QString formatTenths(int tenths)
{
    return QStringLiteral("%1.%2").arg(tenths / db::kTenthsPerHertz).arg(tenths % db::kTenthsPerHertz);
}

QString filterFrequencyText(const QString& text)
{
    QString kept;
    qsizetype point = -1;
    for (QChar c : text) {
        if (c == QLatin1Char('.') && point < 0) {
            point = kept.size();
            kept += c;
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9') && (point < 0 || kept.size() - point < 2)) {
            kept += c;
        }
    }
    return kept;
}

} // namespace trv::editors::customtones
